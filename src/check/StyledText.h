#pragma once

#include "names/NamesInText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <stdexcept>

// A text as UTF-8 with the byte ranges set in italics in the document it came from: in the
// order of the text, none empty, none touching another. Paragraphs and line breaks are "\n";
// a run of paragraph ends counts as one, and the text neither begins nor ends with one.
struct StyledText {
    QByteArray utf8;
    QList<TextSpan> italics;
};

// A document that cannot be read as text; the message names the file and says why.
class DocumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest document that is read: a manuscript is a few MiB at most.
constexpr qint64 largestDocument = qint64(64) << 20;

// UTF-8, its byte-order mark dropped, or UTF-16 with one; any other bytes are read as
// Windows-1250 (Czech). Lines end in "\n", whatever they ended in.
StyledText plainText(const QByteArray& bytes);
// HTML as a browser or a word processor puts it on the clipboard: <i>, <em> and the CSS
// font-style, inherited; paragraphs, list items, headings, table cells and <br> as line breaks;
// the white space of the markup collapsed as a browser shows it. Nothing it refers to is read.
StyledText htmlText(const QByteArray& html);
// RTF as word processors write it: the text of the body, in its code pages and \u characters,
// without the tables, pictures, fields' codes, headers, footers and notes.
StyledText rtfText(const QByteArray& rtf);
