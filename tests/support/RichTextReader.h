#pragma once

#include "platform/FormattedText.h"

#include <QByteArray>
#include <QColor>
#include <QString>

// What a word processor takes from a formatted copy: the text with its italic stretches
// between slashes ("/Picea abies /(L.) H.Karst."), and the format of its first character,
// where an empty face, a size of 0 and an invalid colour leave those of the paragraph that it
// is pasted into.
struct RichText {
    QString markup;
    FormattedText name; // the same text and its italic and upright runs
    QString face;
    int pointSize = 0;
    bool bold = false;
    bool underline = false;
    bool strikeout = false;
    QColor colour;
    int charset = -1; // RTF only
};

// Reads RTF as a word processor does: groups, control words, \uN escapes, paragraphs (as
// line breaks) and the font and colour tables. Written independently of the program's writer, for
// tests.
RichText readRtf(const QByteArray& rtf);
// Reads HTML through Qt's own HTML reader.
RichText readHtml(const QByteArray& html);
