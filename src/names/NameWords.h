#pragma once

#include <QByteArrayView>

// The words and letters of botanical names as people write them, in UTF-8.
namespace NameWords {

// The rank's standard word ("subsp.", "var.", "f." ...) for a spelling of a rank below the
// species ("ssp", "subspec.", "fma.", "β" ...), or empty when the word is none.
QByteArrayView rankOf(QByteArrayView word);
// Lower-case words of author citations: particles ("de", "ten", "v"), "ex", "in", "et".
bool isParticle(QByteArrayView word);
// A word that begins what follows the authors: "nom.", "auct.", "s.l.", "sensu", "non" ...
bool isAnnotation(QByteArrayView word);
// A word that stands for an epithet not given: "sp.", "spp.", "cf.", "aff." ...
bool isSurrogate(QByteArrayView word);
// The hybrid sign as a word of its own: "×", or the letter x standing for it.
bool isHybridSign(QByteArrayView word);
// A word beginning with "×", glued to its name.
bool startsWithHybridSign(QByteArrayView word);
inline constexpr QByteArrayView hybridSign = "\xC3\x97";

// Whether the word's first letter is a capital, or a small letter.
bool startsUpper(QByteArrayView word);
bool startsLower(QByteArrayView word);
// A word of letters and hyphens in the given case for its first letter and small letters
// after it: a genus, or an epithet (no particle of authors).
bool isGenus(QByteArrayView word);
bool isEpithet(QByteArrayView word);
// A genus shortened to its capital and a dot: "P.", "Ph.".
bool isAbbreviatedGenus(QByteArrayView word);
// A cultivar's epithet begins with a quote, or the word "cv.".
bool isCultivarMark(QByteArrayView word);

// The length of the space that begins at `at` (ASCII white space, the no-break, thin and
// ideographic spaces ...), or 0 when there is none.
qsizetype spaceAt(const char* at, const char* end);

} // namespace NameWords
