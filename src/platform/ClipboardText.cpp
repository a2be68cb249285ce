#include "platform/ClipboardText.h"

QStringView trimmedClipboardText(QStringView text) {
    const auto isBlank = [](QChar ch) { return ch.unicode() <= 32; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}
