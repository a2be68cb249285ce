#pragma once

#include <QByteArrayView>
#include <array>

// The words and letters of botanical names as people write them, in UTF-8. What the parser
// asks of every word is inline, the lists are searched only for words that may be in them.
namespace NameWords {

namespace Lists {
QByteArrayView rankOf(QByteArrayView word);
bool isParticle(QByteArrayView word);
bool isAnnotation(QByteArrayView word);
bool isCultivarMark(QByteArrayView word);
bool isPlaceholder(QByteArrayView word);
bool isSurrogate(QByteArrayView word);
bool startsUpper(QByteArrayView word);
bool startsLower(QByteArrayView word);

// A word of the lists begins with a small ASCII letter (or, for ranks, a Greek one) and has
// at most 16 bytes.
inline bool mayBeListed(QByteArrayView word) {
    return !word.isEmpty() && word.size() <= 16 &&
           ((word[0] >= 'a' && word[0] <= 'z') || uchar(word[0]) >= 0x80);
}

// The bytes of a word's letters after its first: small ASCII letters, hyphens, apostrophes
// ("d'urvillei") and any byte beyond ASCII.
inline constexpr auto wordBytes = [] {
    std::array<bool, 256> bytes{};
    for (int c = 'a'; c <= 'z'; ++c)
        bytes[size_t(c)] = true;
    for (int c = 0x80; c < 0x100; ++c)
        bytes[size_t(c)] = true;
    bytes['-'] = bytes['\''] = true;
    return bytes;
}();

inline bool restIsWord(QByteArrayView word) {
    for (qsizetype at = 1; at < word.size(); ++at) {
        if (!wordBytes[uchar(word[at])])
            return false;
    }
    return true;
}
} // namespace Lists

// The rank's standard word ("subsp.", "var.", "f." ...) for a spelling of a rank below the
// species ("ssp", "subspec.", "fma.", "β" ...), or empty when the word is none.
inline QByteArrayView rankOf(QByteArrayView word) {
    return Lists::mayBeListed(word) ? Lists::rankOf(word) : QByteArrayView();
}
// Lower-case words of author citations: particles ("de", "ten", "v"), "ex", "in", "et".
inline bool isParticle(QByteArrayView word) {
    return word.size() <= 5 && Lists::mayBeListed(word) && Lists::isParticle(word);
}
// A word that begins what follows the authors: "nom.", "auct.", "s.l.", "sensu", "non" ...
inline bool isAnnotation(QByteArrayView word) {
    return Lists::mayBeListed(word) && Lists::isAnnotation(word);
}
// The first word of what stands in the place of a name: "Incertae sedis", "None recorded",
// "Unknown". Each of them begins with I, N or U.
inline bool isPlaceholder(QByteArrayView word) {
    const char first = word.isEmpty() ? 0 : char(word[0] | 0x20);
    return (first == 'i' || first == 'n' || first == 'u') && Lists::isPlaceholder(word);
}
// A word that stands for an epithet not given: "sp.", "spp.", "cf.", "aff." ... Each of them
// is short or ends with a dot.
inline bool isSurrogate(QByteArrayView word) {
    return (word.size() <= 3 || word.endsWith('.')) && Lists::isSurrogate(word);
}

inline constexpr QByteArrayView hybridSign = "\xC3\x97";
// The hybrid sign as a word of its own: "×", or the letter x standing for it.
inline bool isHybridSign(QByteArrayView word) {
    return word.size() == 1 ? word[0] == 'x' || word[0] == 'X' : word == hybridSign;
}
// A word beginning with "×", glued to its name.
inline bool startsWithHybridSign(QByteArrayView word) {
    return word.size() >= 2 && word[0] == hybridSign[0] && word[1] == hybridSign[1];
}

// Whether the word's first letter is a capital, or a small letter.
inline bool startsUpper(QByteArrayView word) {
    if (word.isEmpty())
        return false;
    const uchar first = uchar(word[0]);
    return first < 0x80 ? first >= 'A' && first <= 'Z' : Lists::startsUpper(word);
}
inline bool startsLower(QByteArrayView word) {
    if (word.isEmpty())
        return false;
    const uchar first = uchar(word[0]);
    return first < 0x80 ? first >= 'a' && first <= 'z' : Lists::startsLower(word);
}
// A word of letters and hyphens in the given case for its first letter and small letters
// after it: a genus, or an epithet (no particle of authors).
inline bool isGenus(QByteArrayView word) {
    return word.size() >= 2 && startsUpper(word) && Lists::restIsWord(word);
}
inline bool isEpithet(QByteArrayView word) {
    return startsLower(word) && Lists::restIsWord(word) && !isParticle(word);
}
// A genus shortened to its capital and a dot: "P.", "Ph.".
inline bool isAbbreviatedGenus(QByteArrayView word) {
    return word.size() >= 2 && word.size() <= 4 && word.endsWith('.') && startsUpper(word) &&
           Lists::restIsWord(word.chopped(1));
}
// A cultivar's epithet begins with a quote (' " ‘ “), or the word "cv.".
inline bool isCultivarMark(QByteArrayView word) {
    return !word.isEmpty() &&
           (word[0] == '\'' || word[0] == '"' || word[0] == '\xE2' ||
            (word[0] == 'c' && word.size() <= 8 && (word[1] == 'v' || word[1] == 'u'))) &&
           Lists::isCultivarMark(word);
}

// The length of the space that begins at `at` (ASCII white space, the no-break, thin and
// ideographic spaces ...), or 0 when there is none.
qsizetype spaceAt(const char* at, const char* end);

} // namespace NameWords
