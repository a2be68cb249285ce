#include "platform/BaseFormat.h"

#include <QFont>
#include <QFontInfo>

BaseFormat BaseFormat::fromFont(const QFont& font, const QColor& colour) {
    BaseFormat format;
    format.setFace(font.family());
    format.pointSize =
        qRound(font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF());
    format.bold = font.bold();
    format.underline = font.underline();
    format.strikeout = font.strikeOut();
    format.colour = colour;
    format.fixedPitch = font.fixedPitch();
    return format;
}
