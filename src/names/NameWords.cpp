#include "names/NameWords.h"

#include <QChar>
#include <algorithm>
#include <array>

namespace NameWords {
namespace {

struct Spelling {
    QByteArrayView word; // lower case
    QByteArrayView rank;
};

// The spellings of botanical usage, the standard word first.
const auto spellings = [] {
    auto all = std::to_array<Spelling>({
        {"subsp.", "subsp."}, {"subsp", "subsp."}, {"ssp.", "subsp."}, {"ssp", "subsp."},
        {"subspec.", "subsp."}, {"subspecies", "subsp."}, {"subs.", "subsp."},
        {"sbsp.", "subsp."}, {"subp.", "subsp."},
        {"nothosubsp.", "nothosubsp."}, {"nothossp.", "nothosubsp."}, {"nssp.", "nothosubsp."},
        {"nsubsp.", "nothosubsp."}, {"nothosubsp", "nothosubsp."},
        {"convar.", "convar."}, {"convar", "convar."}, {"convarietas", "convar."},
        {"var.", "var."}, {"var", "var."}, {"v.", "var."}, {"varietas", "var."},
        {"variety", "var."}, {"\xCE\xB1", "var."}, {"\xCE\xB2", "var."}, {"\xCE\xB3", "var."},
        {"\xCE\xB4", "var."}, {"\xCE\xB5", "var."}, {"\xCE\xB6", "var."}, {"\xCE\xB7", "var."},
        {"\xCE\xB8", "var."}, {"\xC3\x9F", "var."},
        {"nothovar.", "nothovar."}, {"nvar.", "nothovar."}, {"nothovar", "nothovar."},
        {"subvar.", "subvar."}, {"subvar", "subvar."}, {"subv.", "subvar."},
        {"subvarietas", "subvar."},
        {"f.", "f."}, {"fo.", "f."}, {"fo", "f."}, {"fm.", "f."}, {"fma.", "f."},
        {"fma", "f."}, {"fa.", "f."}, {"fa", "f."}, {"form.", "f."}, {"forma", "f."},
        {"nothof.", "nothof."}, {"nothoforma", "nothof."}, {"nf.", "nothof."},
        {"subf.", "subf."}, {"subfo.", "subf."}, {"subfm.", "subf."}, {"subfma.", "subf."},
        {"subforma", "subf."}, {"subf", "subf."},
        {"proles", "proles"}, {"prol.", "proles"}, {"race", "proles"},
        {"lusus", "lus."}, {"lus.", "lus."}, {"morph.", "morph."}, {"morpha", "morph."},
        {"grex", "grex"}, {"mut.", "mut."}, {"mutatio", "mut."},
        {"nm.", "nm."}, {"agamosp.", "agamosp."},
    });
    std::sort(all.begin(), all.end(),
              [](const Spelling& a, const Spelling& b) { return a.word < b.word; });
    return all;
}();

// Lower-case words of author citations, with the particles of names in many languages.
const auto particles = [] {
    auto all = std::to_array<QByteArrayView>({
        "af",  "al",   "av",    "bis",   "d",     "d'",    "da",    "das",  "de",  "degli",
        "dei", "del",  "della", "delle", "dello", "den",   "der",   "des",  "di",  "do",
        "dos", "du",   "e",     "et",    "ex",    "f",     "fil.",  "hort.", "in", "l'",
        "la",  "le",   "lo",    "o",     "te",    "ten",   "ter",   "v",    "van", "vom",
        "von", "y",    "zu",    "zum",   "zur",   "emend."});
    std::sort(all.begin(), all.end());
    return all;
}();

const auto annotations = [] {
    auto all = std::to_array<QByteArrayView>({
        "agg.",  "auct.",   "auct",   "comb.", "ined.",   "nec",    "nom.",   "nom",   "non",
        "nov.",  "orth.",   "p.p.",   "pro",   "s.",      "s.l.",   "s.lat.", "s.s.",  "s.str.",
        "sec.",  "sensu",   "sp.nov.", "stat.", "syn.",   "nomen",  "ms.",    "fide",  "cons."});
    std::sort(all.begin(), all.end());
    return all;
}();

const auto surrogates = [] {
    auto all = std::to_array<QByteArrayView>({"sp.", "sp",   "spp.", "spp", "cf.", "cf",
                                       "aff.", "aff", "nr.",  "?",   "indet.", "sp.indet."});
    std::sort(all.begin(), all.end());
    return all;
}();

template <std::size_t Size>
bool contains(const std::array<QByteArrayView, Size>& words, QByteArrayView word) {
    return std::binary_search(words.begin(), words.end(), word);
}

// The word in ASCII lower case, in `buffer`; empty when it is too long for any word of the
// lists above.
QByteArrayView lowered(QByteArrayView word, char (&buffer)[16]) {
    if (word.size() > qsizetype(sizeof buffer))
        return {};
    for (qsizetype at = 0; at < word.size(); ++at) {
        const char c = word[at];
        buffer[at] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    return QByteArrayView(buffer, word.size());
}

// The code point of the UTF-8 sequence that begins the word (a byte that begins none is
// taken as it is).
char32_t firstLetter(QByteArrayView word) {
    const uchar lead = uchar(word[0]);
    if (lead < 0xC0 || word.size() < 2)
        return lead;
    if (lead < 0xE0)
        return char32_t((lead & 0x1F) << 6 | (uchar(word[1]) & 0x3F));
    if (lead < 0xF0 && word.size() >= 3)
        return char32_t((lead & 0x0F) << 12 | (uchar(word[1]) & 0x3F) << 6 |
                        (uchar(word[2]) & 0x3F));
    return lead;
}

// Small ASCII letters, hyphens, apostrophes ("d'urvillei") and any letter beyond ASCII after
// the first.
bool restIsWord(QByteArrayView word) {
    return std::all_of(word.begin() + 1, word.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || c == '-' || c == '\'' || uchar(c) >= 0x80;
    });
}

} // namespace

QByteArrayView rankOf(QByteArrayView word) {
    char buffer[16];
    const QByteArrayView lower = lowered(word, buffer);
    const auto found = std::lower_bound(
        spellings.begin(), spellings.end(), lower,
        [](const Spelling& spelling, QByteArrayView key) { return spelling.word < key; });
    return found != spellings.end() && found->word == lower && !lower.isEmpty() ? found->rank
                                                                                : QByteArrayView();
}

bool isParticle(QByteArrayView word) {
    return word.size() <= 6 && contains(particles, word);
}

bool isAnnotation(QByteArrayView word) {
    char buffer[16];
    return contains(annotations, lowered(word, buffer));
}

bool isSurrogate(QByteArrayView word) {
    char buffer[16];
    return contains(surrogates, lowered(word, buffer));
}

bool isHybridSign(QByteArrayView word) {
    return word == hybridSign || word == "x" || word == "X";
}

bool startsWithHybridSign(QByteArrayView word) {
    return word.startsWith(hybridSign);
}

bool startsUpper(QByteArrayView word) {
    if (word.isEmpty())
        return false;
    const uchar first = uchar(word[0]);
    return first < 0x80 ? first >= 'A' && first <= 'Z' : QChar::isUpper(firstLetter(word));
}

bool startsLower(QByteArrayView word) {
    if (word.isEmpty())
        return false;
    const uchar first = uchar(word[0]);
    return first < 0x80 ? first >= 'a' && first <= 'z' : QChar::isLower(firstLetter(word));
}

bool isGenus(QByteArrayView word) {
    return word.size() >= 2 && startsUpper(word) && restIsWord(word);
}

bool isEpithet(QByteArrayView word) {
    return !word.isEmpty() && startsLower(word) && restIsWord(word) && !isParticle(word);
}

bool isAbbreviatedGenus(QByteArrayView word) {
    return word.size() >= 2 && word.size() <= 4 && word.endsWith('.') && startsUpper(word) &&
           restIsWord(word.chopped(1));
}

bool isCultivarMark(QByteArrayView word) {
    // ' " and the typographic quotes ‘ “.
    return word.startsWith('\'') || word.startsWith('"') || word.startsWith("\xE2\x80\x98") ||
           word.startsWith("\xE2\x80\x9C") || word == "cv." || word == "cv" || word == "cultivar";
}

qsizetype spaceAt(const char* at, const char* end) {
    const uchar c = uchar(*at);
    if (c < 0x80)
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' ? 1 : 0;
    if (c == 0xC2 && end - at >= 2 && uchar(at[1]) == 0xA0)
        return 2; // no-break space
    if (end - at < 3)
        return 0;
    const uchar second = uchar(at[1]), third = uchar(at[2]);
    if (c == 0xE2 && second == 0x80 && (third <= 0x8B || third == 0xAF))
        return 3; // en quad to zero width space, narrow no-break space
    if (c == 0xE2 && second == 0x81 && third == 0x9F)
        return 3; // medium mathematical space
    if (c == 0xE3 && second == 0x80 && third == 0x80)
        return 3; // ideographic space
    return 0;
}

} // namespace NameWords
