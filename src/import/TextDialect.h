#pragma once

#include <QByteArray>

// How a delimited text file writes its rows: the field separator, the quote that may enclose
// a field (0 for none; a quote inside a quoted field is doubled), the byte that ends a line
// ('\n', which also takes CR LF, or '\r' alone), the lines before the first row and the
// encoding of the text.
struct TextDialect {
    char separator = ',';
    char quote = '"';
    char lineEnd = '\n';
    int headerLines = 0;
    QByteArray encoding = "UTF-8";
};
