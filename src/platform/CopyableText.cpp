#include "platform/CopyableText.h"

namespace {

bool isCarried(char32_t code) {
    switch (QChar::category(code)) {
    case QChar::Other_Control:
        return code == U'\t';
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return !QChar::isNonCharacter(code);
    }
}

} // namespace

QString copyableText(QStringView text) {
    QString copyable;
    copyable.reserve(text.size());
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar unit = text[pos];
        if (unit.isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate()) {
            if (isCarried(QChar::surrogateToUcs4(unit, text[pos + 1])))
                copyable.append(unit).append(text[pos + 1]);
            ++pos;
        } else if (unit.isSurrogate()) {
            copyable += QChar(QChar::ReplacementCharacter);
        } else if (isCarried(unit.unicode())) {
            copyable += unit;
        }
    }
    return copyable;
}
