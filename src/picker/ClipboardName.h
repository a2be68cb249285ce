#pragma once

#include "store/Utf8List.h"

#include <QString>
#include <QStringView>

// Reading a name out of text copied in another program, and finding it in the lists.
namespace ClipboardName {

// The genus word (before the first space) and the species word (after it, up to the next
// space) of a trimmed text. Only the space separates words; nothing after the species word
// is looked at, so a long text costs no more than its first two words.
struct Words {
    QStringView genus;
    QStringView species;
    bool hasSpecies = false; // the text has a space after the genus word
};
Words words(QStringView text);

// The first item whose beginning, as long as `word`, does not sort before `word`: the first
// item that begins with the word, else the first that sorts after it; -1 when every item
// sorts before it. `items` is in the lists' order, by the code points of their text.
qsizetype firstAtOrAfter(const Utf8List& items, QStringView word);

// The first item equal to `text` when letter case is ignored, or -1.
qsizetype indexIgnoringCase(const Utf8List& items, const QString& text);

} // namespace ClipboardName
