#include "names/NameWords.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <compare>
#include <cstring>
#include <utility>
#include <vector>

namespace NameWords {
namespace {

// A word of at most 16 bytes in ASCII lower case, as two numbers: the lists below are
// searched by comparing numbers, not bytes.
struct Key {
    quint64 head = 0;
    quint64 tail = 0;
    friend auto operator<=>(const Key&, const Key&) = default;
};

constexpr qsizetype keyLength = 16;

Key keyOf(QByteArrayView word) {
    char bytes[keyLength] = {};
    for (qsizetype at = 0; at < word.size(); ++at) {
        const char c = word[at];
        bytes[at] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    Key key;
    std::memcpy(&key.head, bytes, sizeof key.head);
    std::memcpy(&key.tail, bytes + sizeof key.head, sizeof key.tail);
    return key;
}

class WordList {
public:
    WordList(std::initializer_list<QByteArrayView> words) {
        for (const QByteArrayView word : words)
            keys_.push_back(keyOf(word));
        std::sort(keys_.begin(), keys_.end());
    }
    bool contains(QByteArrayView word) const { return containsAnyCase(word); }
    bool containsAnyCase(QByteArrayView word) const {
        return word.size() <= keyLength &&
               std::binary_search(keys_.begin(), keys_.end(), keyOf(word));
    }

private:
    std::vector<Key> keys_;
};

// The spellings of ranks below the species in botanical usage, each with its standard word.
class RankList {
public:
    RankList(std::initializer_list<std::pair<QByteArrayView, QByteArrayView>> spellings) {
        for (const auto& [word, rank] : spellings)
            ranks_.push_back({keyOf(word), rank});
        std::sort(ranks_.begin(), ranks_.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    QByteArrayView rankOf(QByteArrayView word) const {
        const Key key = keyOf(word);
        const auto found = std::lower_bound(
            ranks_.begin(), ranks_.end(), key,
            [](const auto& rank, const Key& wanted) { return rank.first < wanted; });
        return found != ranks_.end() && found->first == key ? found->second : QByteArrayView();
    }

private:
    std::vector<std::pair<Key, QByteArrayView>> ranks_;
};

const RankList ranks{
    {"subsp.", "subsp."},
    {"subsp", "subsp."},
    {"ssp.", "subsp."},
    {"ssp", "subsp."},
    {"subspec.", "subsp."},
    {"subspecies", "subsp."},
    {"subs.", "subsp."},
    {"sbsp.", "subsp."},
    {"subp.", "subsp."},
    {"nothosubsp.", "nothosubsp."},
    {"nothossp.", "nothosubsp."},
    {"nssp.", "nothosubsp."},
    {"nsubsp.", "nothosubsp."},
    {"nothosubsp", "nothosubsp."},
    {"convar.", "convar."},
    {"convar", "convar."},
    {"convarietas", "convar."},
    {"var.", "var."},
    {"var", "var."},
    {"v.", "var."},
    {"varietas", "var."},
    {"variety", "var."},
    {"\xCE\xB1", "var."},
    {"\xCE\xB2", "var."},
    {"\xCE\xB3", "var."},
    {"\xCE\xB4", "var."},
    {"\xCE\xB5", "var."},
    {"\xCE\xB6", "var."},
    {"\xCE\xB7", "var."},
    {"\xCE\xB8", "var."},
    {"\xC3\x9F", "var."},
    {"nothovar.", "nothovar."},
    {"nvar.", "nothovar."},
    {"nothovar", "nothovar."},
    {"subvar.", "subvar."},
    {"subvar", "subvar."},
    {"subv.", "subvar."},
    {"subvarietas", "subvar."},
    {"f.", "f."},
    {"fo.", "f."},
    {"fo", "f."},
    {"fm.", "f."},
    {"fma.", "f."},
    {"fma", "f."},
    {"fa.", "f."},
    {"fa", "f."},
    {"form.", "f."},
    {"forma", "f."},
    {"nothof.", "nothof."},
    {"nothoforma", "nothof."},
    {"nf.", "nothof."},
    {"subf.", "subf."},
    {"subfo.", "subf."},
    {"subfm.", "subf."},
    {"subfma.", "subf."},
    {"subforma", "subf."},
    {"subf", "subf."},
    {"proles", "proles"},
    {"prol.", "proles"},
    {"race", "proles"},
    {"lusus", "lus."},
    {"lus.", "lus."},
    {"morph.", "morph."},
    {"morpha", "morph."},
    {"grex", "grex"},
    {"mut.", "mut."},
    {"mutatio", "mut."},
    {"nm.", "nm."},
    {"agamosp.", "agamosp."},
};

// Lower-case words of author citations, with the particles of names in many languages.
const WordList particles{"af",    "al",  "av",  "bis",   "d",     "d'",    "da",  "das", "de",
                         "degli", "dei", "del", "della", "delle", "dello", "den", "der", "des",
                         "di",    "do",  "dos", "du",    "e",     "et",    "ex",  "f",   "fil.",
                         "hort.", "in",  "l'",  "la",    "le",    "lo",    "te",  "ten", "ter",
                         "v",     "van", "vom", "von",   "y",     "zu",    "zum", "zur"};

const WordList annotations{"agg.",  "auct.",  "auct",  "comb.",  "ined.", "nec",   "nom.",
                           "nom",   "non",    "nov.",  "orth.",  "p.p.",  "pro",   "s.",
                           "s.l.",  "s.lat.", "s.s.",  "s.str.", "sec.",  "sensu", "sp.nov.",
                           "stat.", "syn.",   "nomen", "ms.",    "fide",  "cons."};

const WordList placeholders{"incertae", "none",         "unknown", "unassigned",
                            "unplaced", "undetermined", "not",     "indet."};

const WordList surrogates{"sp.",  "sp",  "spp.", "spp",    "cf.",      "cf",
                          "aff.", "aff", "nr.",  "indet.", "sp.indet."};

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
} // namespace

namespace Lists {

QByteArrayView rankOf(QByteArrayView word) {
    return ranks.rankOf(word);
}

bool isParticle(QByteArrayView word) {
    return particles.contains(word);
}

bool isAnnotation(QByteArrayView word) {
    return annotations.contains(word);
}

bool isCultivarMark(QByteArrayView word) {
    return word.startsWith('\'') || word.startsWith('"') || word.startsWith("\xE2\x80\x98") ||
           word.startsWith("\xE2\x80\x9C") || word == "cv." || word == "cv" || word == "cultivar";
}

bool startsUpper(QByteArrayView word) {
    return QChar::isUpper(firstLetter(word));
}

bool startsLower(QByteArrayView word) {
    return QChar::isLower(firstLetter(word));
}

bool isPlaceholder(QByteArrayView word) {
    return placeholders.containsAnyCase(word);
}

bool isSurrogate(QByteArrayView word) {
    return word == "?" || surrogates.contains(word);
}

} // namespace Lists

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
