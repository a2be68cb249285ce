#pragma once

#include <QColor>
#include <QString>

class QFont;

// The character format that formatted output starts every copy from; the runs of a name
// then set italic on or off and leave the rest as it is, so the base carries no italic of its
// own.
struct BaseFormat {
    // Word processors read at most this many characters of a face name.
    static constexpr qsizetype maxFaceLength = 31;
    // The Central European character set of the word processors' font tables.
    static constexpr int easternEuropeanCharset = 238;

    QString face;
    int pointSize = 8;
    bool bold = false;
    bool underline = false;
    bool strikeout = false;
    QColor colour = Qt::black;
    int charset = easternEuropeanCharset;
    bool fixedPitch = false;
    // Whether the user chose this format. Until then a copy names no face, size, colour or
    // style, and a pasted name takes those of the paragraph it lands in.
    bool chosen = false;

    // Face, size, style and pitch of `font`, in `colour`.
    static BaseFormat fromFont(const QFont& font, const QColor& colour);
    void setFace(const QString& name) { face = name.left(maxFaceLength); }
};
