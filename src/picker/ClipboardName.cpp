#include "picker/ClipboardName.h"

#include <algorithm>

namespace ClipboardName {

Words words(QStringView text) {
    Words result;
    const qsizetype firstSpace = text.indexOf(u' ');
    if (firstSpace < 0) {
        result.genus = text;
        return result;
    }
    result.genus = text.first(firstSpace);
    result.hasSpecies = true;
    const QStringView rest = text.sliced(firstSpace + 1);
    const qsizetype nextSpace = rest.indexOf(u' ');
    result.species = nextSpace < 0 ? rest : rest.first(nextSpace);
    return result;
}

namespace {

// UTF-16 units ranked so that a surrogate, part of a code point above U+FFFF, sorts after
// every unit of the Basic Multilingual Plane, as its code point does.
char16_t codePointRank(char16_t unit) {
    if (unit >= 0xE000)
        return unit - 0x800;
    if (unit >= 0xD800)
        return unit + 0x2000;
    return unit;
}

} // namespace

int compareCodePoints(QStringView a, QStringView b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t left = codePointRank(a[i].unicode());
        const char16_t right = codePointRank(b[i].unicode());
        if (left != right)
            return left < right ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

qsizetype firstAtOrAfter(const QStringList& items, QStringView word) {
    // A list sorted by code points stays sorted when every item is cut to the word's length,
    // so the first item not before the word can be found by halving.
    const auto found =
        std::partition_point(items.begin(), items.end(), [word](const QString& item) {
            return compareCodePoints(QStringView(item).first(std::min(item.size(), word.size())),
                                     word) < 0;
        });
    return found == items.end() ? -1 : found - items.begin();
}

qsizetype indexIgnoringCase(const QStringList& items, const QString& text) {
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace ClipboardName
