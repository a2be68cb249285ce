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

qsizetype firstAtOrAfter(const Utf8List& items, QStringView word) {
    // UTF-8 sorts by its bytes as text by its code points, and a list so sorted stays sorted
    // when every item is cut to the word's length in bytes: the first item not before the
    // word is found by halving.
    const QByteArray wordBytes = word.toUtf8();
    qsizetype first = 0;
    qsizetype count = items.size();
    while (count > 0) {
        const qsizetype half = count / 2;
        const QByteArrayView item = items.bytes(first + half);
        if (item.first(std::min(item.size(), wordBytes.size())) < QByteArrayView(wordBytes)) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return first == items.size() ? -1 : first;
}

qsizetype indexIgnoringCase(const Utf8List& items, const QString& text) {
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.value(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace ClipboardName
