#pragma once

#include <QByteArray>
#include <QtGlobal>

// How a delimited text file writes its rows: the field separator, the quote that may enclose
// a field (0 for none; a quote inside a quoted field is doubled), the byte that ends a line
// ('\n', which also takes CR LF, or '\r' alone), the lines before the first row, the encoding
// of the text, and the longest row that a file of its kind holds.
struct TextDialect {
    char separator = ',';
    char quote = '"';
    char lineEnd = '\n';
    int headerLines = 0;
    QByteArray encoding = "UTF-8";
    qsizetype longestRow = 16 << 20;
    // Whether an archive's meta.xml declares the dialect: a file written otherwise may then
    // be declared there instead of saved anew.
    bool declaredInMeta = false;
};
