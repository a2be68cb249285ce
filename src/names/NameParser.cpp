#include "names/NameParser.h"

#include "names/NameWords.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

using namespace NameWords;

namespace {

// A name's words, at most as many as any name has: the rest of a longer text is its last.
struct Words {
    static constexpr int most = 64;
    int count = 0;
    bool tidy = true; // one ASCII space between each two words, none at the ends

    QByteArrayView at(int word) const { return QByteArrayView(begins_[word], ends_[word]); }
    void add(const char* begin, const char* end) {
        begins_[count] = begin;
        ends_[count++] = end;
    }
    void move(int word, char* to) {
        ends_[word] = to + (ends_[word] - begins_[word]);
        begins_[word] = to;
    }
    QByteArrayView span(int from, int to) const {
        return from >= to ? QByteArrayView() : QByteArrayView(begins_[from], ends_[to - 1]);
    }

private:
    // Left as they are until a word is added: a name has few of them.
    const char* begins_[most];
    const char* ends_[most];
};

bool isLetterByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || uchar(c) >= 0x80;
}

// The bytes at which a word may end: white space, brackets, a dot and the first bytes of the
// spaces of Unicode.
constexpr auto mayEndWord = [] {
    std::array<bool, 256> bytes{};
    for (int c = 0; c <= ' '; ++c)
        bytes[size_t(c)] = true;
    bytes['('] = bytes[')'] = bytes['.'] = bytes[0xC2] = bytes[0xE2] = bytes[0xE3] = true;
    return bytes;
}();

// The length of the space at `at`, or 0; most bytes are told at once.
qsizetype spaceLength(const char* at, const char* end) {
    return *at == ' ' ? 1 : mayEndWord[uchar(*at)] ? spaceAt(at, end) : 0;
}

bool isSmallAscii(char c) {
    return c >= 'a' && c <= 'z';
}

// How many of the eight bytes at `at` come before the first that may end a word: white space,
// a bracket, a dot or any byte beyond ASCII (8 where there is none). Each test flags the
// first such byte exactly, which is the one that counts.
int plainBytes(const char* at) {
    static_assert(std::endian::native == std::endian::little);
    constexpr quint64 ones = 0x0101010101010101, highs = 0x8080808080808080;
    const auto zeroByte = [](quint64 bytes) { return (bytes - ones) & ~bytes & highs; };
    quint64 bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    const quint64 stops = ((bytes - ones * 0x21) & ~bytes & highs) | (bytes & highs) |
                          zeroByte(bytes ^ (ones * '(')) | zeroByte(bytes ^ (ones * ')')) |
                          zeroByte(bytes ^ (ones * '.'));
    return stops ? std::countr_zero(stops) / 8 : 8;
}

// Where a word ends: at a space, before a "(" glued to the word, after a ")" glued to the
// next ("(H.C. Burnett)U. Braun"), after the dot of a rank word glued to its epithet
// ("var.aurantiaca").
const char* wordEnd(const char* from, const char* end) {
    const char* at = from;
    while (at < end) {
        if (end - at >= 8) {
            const int plain = plainBytes(at);
            at += plain;
            if (plain == 8)
                continue;
        }
        const uchar c = uchar(*at);
        if (!mayEndWord[c]) {
            ++at;
            continue;
        }
        if (c == '.') {
            if (isSmallAscii(*from) && at + 1 < end && isSmallAscii(at[1]) &&
                !rankOf(QByteArrayView(from, at + 1)).isEmpty())
                return at + 1;
            ++at;
            continue;
        }
        if (c == '(' ? at > from : c != ')' && spaceLength(at, end) > 0)
            break;
        if (c == ')' && at + 1 < end && isLetterByte(at[1]))
            return at + 1;
        ++at;
    }
    return at;
}

void split(QByteArrayView text, Words& words) {
    const char* at = text.begin();
    const char* const end = text.end();
    while (at < end) {
        const char* const gap = at;
        for (qsizetype space; at < end && (space = spaceLength(at, end)) > 0;)
            at += space;
        if (at == end) {
            words.tidy = words.tidy && gap == at;
            break;
        }
        const bool oneSpace = at - gap == 1 && *gap == ' ';
        words.tidy = words.tidy && (words.count == 0 ? gap == at : oneSpace);
        if (words.count == Words::most - 1) {
            words.add(at, end);
            words.tidy = false;
            return;
        }
        const char* wordEnds = wordEnd(at, end);
        words.add(at, wordEnds);
        at = wordEnds;
    }
}

qsizetype joinedSize(const Words& words) {
    qsizetype size = words.count - 1;
    for (int word = 0; word < words.count; ++word)
        size += words.at(word).size();
    return std::max<qsizetype>(size, 0);
}

// The words written anew at `out` with one space between each two; they then point there.
void join(Words& words, char* out) {
    for (int word = 0; word < words.count; ++word) {
        if (word > 0)
            *out++ = ' ';
        const QByteArrayView text = words.at(word);
        std::memcpy(out, text.data(), size_t(text.size()));
        words.move(word, out);
        out += text.size();
    }
}

// The words from `from` up to `to` as authors, without the comma before an annotation.
Authorship authorship(const Words& words, int from, int to) {
    QByteArrayView text = words.span(from, to);
    while (text.endsWith(','))
        text.chop(1);
    return Authorship{text};
}

class Parser {
public:
    Parser(const Words& words, BotanicalName& name) : w_(words), n_(words.count), name_(name) {}

    void parse() {
        int at = 0;
        if (n_ == 0)
            return;
        if (isPlaceholder(w_.at(0)))
            return is(BotanicalName::Kind::Unnamed);
        if (!genus(at))
            return;
        name_.kind = BotanicalName::Kind::Name;
        // A subgenus in brackets before the epithet.
        if (at + 1 < n_ && w_.at(at).startsWith('(') && w_.at(at).endsWith(')') &&
            isGenus(w_.at(at).sliced(1).chopped(1)) && epithet(at + 1) > 0)
            ++at;
        if (at == n_)
            return;
        const QByteArrayView word = w_.at(at);
        if (isSurrogate(word))
            return is(BotanicalName::Kind::Surrogate);
        if (isCultivarMark(word))
            return is(BotanicalName::Kind::Cultivar);
        const int taken = epithet(at, &name_.species, &name_.speciesHybrid);
        if (taken == 0) {
            if (isHybridSign(word) && at + 1 < n_)
                return is(BotanicalName::Kind::Formula); // of genera: "Agrostis × Polypogon"
            return authorsAndAnnotation(at);
        }
        below(at + taken);
    }

private:
    void is(BotanicalName::Kind kind) { name_.kind = kind; }

    bool genus(int& at) {
        if (n_ > 1 && isHybridSign(w_.at(0)) && startsUpper(w_.at(1))) {
            name_.genusHybrid = true;
            ++at;
        }
        QByteArrayView word = w_.at(at);
        if (startsWithHybridSign(word)) {
            name_.genusHybrid = true;
            word = word.sliced(hybridSign.size());
        } else if ((word.startsWith('x') || word.startsWith('X')) && isGenus(word.sliced(1))) {
            name_.genusHybrid = true; // "XAgropogon", "xAgropogon"
            word = word.sliced(1);
        }
        if (isAbbreviatedGenus(word))
            name_.genusAbbreviated = true;
        else if (!isGenus(word))
            return false;
        name_.genus = word;
        ++at;
        return true;
    }

    // How many words the epithet at `at` takes (2 for one after a hybrid sign apart), or 0
    // where there is none.
    int epithet(int at, QByteArrayView* into = nullptr, bool* hybrid = nullptr) const {
        if (at >= n_)
            return 0;
        QByteArrayView word = w_.at(at);
        int taken = 1;
        bool sign = false;
        if (isHybridSign(word) && at + 1 < n_ && isEpithet(w_.at(at + 1))) {
            word = w_.at(at + 1);
            taken = 2;
            sign = true;
        } else if (startsWithHybridSign(word)) {
            word = word.sliced(hybridSign.size());
            sign = true;
        }
        if (!isEpithet(word))
            return 0;
        if (into) {
            *into = word;
            *hybrid = sign;
        }
        return taken;
    }

    // Everything after the species epithet: authors, ranks and their epithets, annotations.
    void below(const int from) {
        int speciesTo = -1; // where the species's authors end, once a rank is found
        int infraFrom = -1;
        int annotation = n_;
        for (int at = from; at < n_; ++at) {
            const QByteArrayView word = w_.at(at);
            if ((isHybridSign(word) && at + 1 < n_) || startsWithHybridSign(word))
                return is(BotanicalName::Kind::Formula);
            if (isCultivarMark(word))
                return is(BotanicalName::Kind::Cultivar);
            // A rank word and its epithet, or an epithet without a rank word just after the
            // species's.
            const QByteArrayView rank = startsUpper(word) ? QByteArrayView() : rankOf(word);
            int epithetAt = at + 1;
            int taken = rank.isEmpty() ? 0 : epithet(epithetAt, &name_.infra, &name_.infraHybrid);
            if (rank.isEmpty() && at == from && speciesTo < 0) {
                epithetAt = at;
                taken = epithet(epithetAt, &name_.infra, &name_.infraHybrid);
            }
            if (taken > 0) {
                if (speciesTo < 0)
                    speciesTo = at;
                name_.rank = rank;
                ++name_.infraRanks;
                at = epithetAt + taken - 1;
                infraFrom = at + 1;
                continue;
            }
            if (isAnnotation(word)) {
                annotation = at;
                break;
            }
        }
        name_.speciesAuthors = authorship(w_, from, speciesTo < 0 ? annotation : speciesTo);
        if (infraFrom >= 0)
            name_.infraAuthors = authorship(w_, infraFrom, annotation);
        name_.annotation = w_.span(annotation, n_);
    }

    // A genus's authors and annotation.
    void authorsAndAnnotation(int from) {
        int annotation = from;
        while (annotation < n_ && !isAnnotation(w_.at(annotation)))
            ++annotation;
        name_.speciesAuthors = authorship(w_, from, annotation);
        name_.annotation = w_.span(annotation, n_);
    }

    const Words& w_;
    const int n_;
    BotanicalName& name_;
};

} // namespace

BotanicalName parseName(QByteArrayView utf8) {
    BotanicalName name;
    Words words;
    split(utf8, words);
    if (!words.tidy)
        join(words, name.compose(joinedSize(words)));
    Parser(words, name).parse();
    return name;
}

QByteArray tidyName(QByteArrayView utf8) {
    Words words;
    split(utf8, words);
    if (words.tidy)
        return QByteArray::fromRawData(utf8.data(), utf8.size());
    QByteArray text(joinedSize(words), Qt::Uninitialized);
    join(words, text.data());
    return text;
}

BotanicalName parseName(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    BotanicalName name = parseName(QByteArrayView(utf8));
    // The views point into the words joined anew, or else into the bytes shared here.
    if (name.own_.isNull())
        name.own_ = utf8;
    return name;
}
