#include "names/NamesInText.h"

#include "names/NameWords.h"

#include <algorithm>
#include <array>

using Id = NameCatalog::Id;
using Word = NameCatalog::Word;

namespace {

// The bytes at which a word may end: white space and the first bytes of Unicode's spaces.
constexpr auto mayEndWord = [] {
    std::array<bool, 256> bytes{};
    for (int c = 0; c <= ' '; ++c)
        bytes[size_t(c)] = true;
    bytes[0xC2] = bytes[0xE2] = bytes[0xE3] = true;
    return bytes;
}();

bool isSmallAscii(char c) {
    return c >= 'a' && c <= 'z';
}

bool isAsciiWord(QByteArrayView word) {
    return std::all_of(word.begin(), word.end(),
                       [](char c) { return isSmallAscii(c) || c == '-'; });
}

// The length of the punctuation that may stand before a word at `at`: brackets and opening
// quotes.
qsizetype openerAt(QByteArrayView text) {
    if (text.isEmpty())
        return 0;
    const uchar c = uchar(text[0]);
    if (c == '(' || c == '[' || c == '{' || c == '"' || c == '\'')
        return 1;
    // “ ‘ „ ‚
    if (c == 0xE2 && text.size() >= 3 && uchar(text[1]) == 0x80) {
        const uchar third = uchar(text[2]);
        return third == 0x9C || third == 0x98 || third == 0x9E || third == 0x9A ? 3 : 0;
    }
    return c == 0xC2 && text.size() >= 2 && uchar(text[1]) == 0xAB ? 2 : 0; // «
}

// The length of the punctuation that may end a word at the end of `text`: full stops,
// commas, closing brackets and quotes ...
qsizetype closerBefore(QByteArrayView text) {
    if (text.isEmpty())
        return 0;
    switch (text.back()) {
    case '.':
    case ',':
    case ';':
    case ':':
    case '!':
    case '?':
    case ')':
    case ']':
    case '}':
    case '"':
    case '\'':
        return 1;
    default:
        break;
    }
    const uchar last = uchar(text.back());
    const qsizetype size = text.size();
    // ” ’ …
    if ((last == 0x9D || last == 0x99 || last == 0xA6) && size >= 3 &&
        uchar(text[size - 3]) == 0xE2 && uchar(text[size - 2]) == 0x80)
        return 3;
    return last == 0xBB && size >= 2 && uchar(text[size - 2]) == 0xC2 ? 2 : 0; // »
}

// One word of the text with the punctuation around it.
struct Token {
    qsizetype start = -1; // of the whole token; -1: the text has ended
    qsizetype end = 0;
    qsizetype coreStart = 0;    // the word without its punctuation (the first part of a word
    qsizetype coreEnd = 0;      // broken at a line end, without its hyphen)
    qsizetype secondStart = -1; // the rest of a broken word on the next line
    qsizetype secondEnd = -1;
    QByteArrayView text; // the word, joined anew when broken
    QByteArray joined;
    qsizetype hyphen = -1; // where in `text` a broken word's hyphen stood
    int line = 1;
    int endLine = 1;
    bool dot = false;    // a full stop right after the word
    bool opens = false;  // a bracket before it
    bool closes = false; // a bracket after it
    bool stops = false;  // other punctuation after it: a name does not go on past it

    bool valid() const { return start >= 0; }
    bool broken() const { return secondStart >= 0; }
    qsizetype wordEnd() const { return (broken() ? secondEnd : coreEnd) + (dot ? 1 : 0); }
    // The word with its full stop: "L.", "subsp.", "sp.".
    QByteArrayView withDot(QByteArrayView utf8) const {
        return dot && !broken() ? utf8.sliced(coreStart, coreEnd - coreStart + 1) : text;
    }
    // Whether the word goes on into a name's next word.
    bool goesOn() const { return !dot && !stops && !closes; }
};

class Finder {
public:
    Finder(const NameCatalog& catalog, QByteArrayView utf8, const QList<TextSpan>& italics,
           bool misspellings)
        : catalog_(catalog), text_(utf8), misspellings_(misspellings) {
        italics_ = italics;
        std::sort(italics_.begin(), italics_.end(),
                  [](const TextSpan& a, const TextSpan& b) { return a.start < b.start; });
        // Overlapping stretches joined, so that one search finds the stretch of a word.
        QList<TextSpan> joined;
        for (const TextSpan& span : std::as_const(italics_)) {
            if (!joined.isEmpty() && span.start <= joined.back().end)
                joined.back().end = std::max(joined.back().end, span.end);
            else
                joined.append(span);
        }
        italics_ = joined;
        lastOfLetter_.fill(NameCatalog::noWord);
    }

    QList<FoundName> run() {
        for (Token token = next(0, 1); token.valid();) {
            Token after;
            if (mayBegin(token) && name(token, after)) {
                token = after;
                continue;
            }
            token = next(token);
        }
        return found_;
    }

private:
    Token next(const Token& token) const { return next(token.end, token.endLine); }
    Token next(qsizetype at, int line, bool mayJoin = true) const;
    bool mayBegin(const Token& token) const {
        return !token.text.isEmpty() && ((token.text[0] >= 'A' && token.text[0] <= 'Z') ||
                                         NameWords::startsWithHybridSign(token.text));
    }
    bool name(const Token& first, Token& after);
    bool isItalic(qsizetype start, qsizetype end) const;
    bool isItalic(const Token& token) const { return isItalic(token.coreStart, token.coreEnd); }

    struct Authors {
        bool found = false;
        Token last;
        qsizetype end = 0;
        bool goesOn = false; // whether a rank may follow
    };
    Authors authorsAt(const Token& from, QByteArrayView table) const;
    bool authorWord(const Token& token, QByteArrayView tableFirst) const;
    bool tableAuthorsAt(const Token& from, QByteArrayView table, Authors& authors) const;
    bool startsName(const Token& token) const;

    Word nearestGenus(QByteArrayView prefix) const;
    Id misspelledEpithet(Word genus, QByteArrayView epithet) const;
    Id misspelledGenus(QByteArrayView genus, Word epithet) const;
    Word epithetWord(const Token& token, qsizetype sign) const;

    void add(FoundName::Status status, Id id, const Token& first, qsizetype start, qsizetype end,
             std::initializer_list<std::pair<const Token*, qsizetype>> words, bool withAuthors);

    const NameCatalog& catalog_;
    const QByteArrayView text_;
    const bool misspellings_;
    QList<TextSpan> italics_;
    // Every genus written out so far, for abbreviations; the last of each letter apart.
    std::vector<Word> written_;
    std::array<Word, 26> lastOfLetter_;
    QList<FoundName> found_;
};

Token Finder::next(qsizetype at, int line, bool mayJoin) const {
    const qsizetype size = text_.size();
    const char* const data = text_.data();
    // The space before the word, counting its line breaks.
    while (at < size) {
        const uchar c = uchar(data[at]);
        if (!mayEndWord[c])
            break;
        if (c == '\n' || (c == '\r' && (at + 1 == size || data[at + 1] != '\n')))
            ++line;
        const qsizetype space = c <= ' ' ? 1 : NameWords::spaceAt(data + at, data + size);
        if (space == 0)
            break;
        at += space;
    }
    Token token;
    if (at == size)
        return token;
    token.start = at;
    token.line = token.endLine = line;
    while (at < size &&
           (!mayEndWord[uchar(data[at])] ||
            (uchar(data[at]) > ' ' && NameWords::spaceAt(data + at, data + size) == 0)))
        ++at;
    token.end = at;
    // The word inside its punctuation; what follows it is read from the word's end on.
    QByteArrayView core = text_.sliced(token.start, token.end - token.start);
    qsizetype head = 0;
    while (const qsizetype opener = openerAt(core.sliced(head))) {
        token.opens = token.opens || core[head] == '(';
        head += opener;
    }
    qsizetype tail = core.size();
    while (tail > head) {
        const qsizetype closer = closerBefore(core.first(tail));
        if (closer == 0)
            break;
        tail -= closer;
    }
    for (qsizetype after = tail; after < core.size(); ++after) {
        const char c = core[after];
        if (after == tail && c == '.')
            token.dot = true;
        else if (c == ')')
            token.closes = true;
        else
            token.stops = true;
    }
    token.coreStart = token.start + head;
    token.coreEnd = token.start + tail;
    token.text = text_.sliced(token.coreStart, token.coreEnd - token.coreStart);
    // A word broken at a line end by a hyphen, or a soft hyphen, goes on on the next line.
    const qsizetype length = token.text.size();
    const bool hard = length >= 2 && token.text.back() == '-';
    const bool soft =
        length >= 3 && uchar(token.text.back()) == 0xAD && uchar(token.text[length - 2]) == 0xC2;
    if (mayJoin && tail == core.size() && (hard || soft)) {
        const Token rest = next(token.end, line, false);
        if (rest.valid() && rest.line > line && !rest.opens && !rest.text.isEmpty() &&
            isSmallAscii(rest.text[0])) {
            const QByteArrayView part = token.text.chopped(hard ? 1 : 2);
            token.joined = part.toByteArray() + rest.text.toByteArray();
            token.text = token.joined;
            token.hyphen = hard ? part.size() : -1;
            token.coreEnd -= hard ? 1 : 2;
            token.secondStart = rest.coreStart;
            token.secondEnd = rest.coreEnd;
            token.end = rest.end;
            token.endLine = rest.line;
            token.dot = rest.dot;
            token.closes = rest.closes;
            token.stops = rest.stops;
        }
    }
    return token;
}

bool Finder::isItalic(qsizetype start, qsizetype end) const {
    const auto after =
        std::upper_bound(italics_.begin(), italics_.end(), start,
                         [](qsizetype at, const TextSpan& span) { return at < span.start; });
    return after != italics_.begin() && std::prev(after)->end >= end;
}

// The epithet's word in the catalog (after a glued hybrid sign of `sign` bytes); a word
// broken at its own hyphen ("borisii-|regis") is looked up with it as well.
Word Finder::epithetWord(const Token& token, qsizetype sign) const {
    const QByteArrayView text = token.text.sliced(sign);
    const Word word = catalog_.word(text);
    if (catalog_.isEpithet(word) || token.hyphen <= sign)
        return word;
    const qsizetype hyphen = token.hyphen - sign;
    const Word other =
        catalog_.word(text.first(hyphen).toByteArray() + '-' + text.sliced(hyphen).toByteArray());
    return other != NameCatalog::noWord ? other : word;
}

// The genus written out last that begins with the abbreviation's letters; abbreviations of
// more letters look back a bounded way.
Word Finder::nearestGenus(QByteArrayView prefix) const {
    if (prefix.size() == 1)
        return lastOfLetter_[size_t(prefix[0] - 'A')];
    const size_t most = std::min<size_t>(written_.size(), 4096);
    for (auto genus = written_.rbegin(); genus != written_.rbegin() + qsizetype(most); ++genus) {
        if (catalog_.text(*genus).startsWith(prefix))
            return *genus;
    }
    return NameCatalog::noWord;
}

// The distance between two words in letters put in, left out, changed or swapped with their
// neighbour, or most + 1 where it is more than `most`.
int distance(QByteArrayView a, QByteArrayView b, int most) {
    if (std::abs(a.size() - b.size()) > most || a.size() > 62 || b.size() > 62)
        return most + 1;
    // Each edit changes the count of at most one letter on each side: words whose letters
    // differ more are not compared further (letters counted by their low five bits).
    std::array<int, 32> counts{};
    for (const char c : a)
        ++counts[size_t(c & 31)];
    for (const char c : b)
        --counts[size_t(c & 31)];
    int more = 0, fewer = 0;
    for (const int count : counts)
        (count > 0 ? more : fewer) += std::abs(count);
    if (std::max(more, fewer) > most)
        return most + 1;
    std::array<std::array<int, 64>, 64> d;
    for (qsizetype i = 0; i <= a.size(); ++i)
        d[size_t(i)][0] = int(i);
    for (qsizetype j = 0; j <= b.size(); ++j)
        d[0][size_t(j)] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int least = most + 1;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const size_t x = size_t(i), y = size_t(j);
            int value = std::min({d[x - 1][y] + 1, d[x][y - 1] + 1,
                                  d[x - 1][y - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                value = std::min(value, d[x - 2][y - 2] + 1);
            d[x][y] = value;
            least = std::min(least, value);
        }
        if (least > most)
            return most + 1;
    }
    return std::min(d[size_t(a.size())][size_t(b.size())], most + 1);
}

// How many letters an epithet of this length may be off: none for words of up to five
// letters, which are mostly ordinary words of the prose ("said", "byla", "roste"); one up
// to nine letters, then two.
int epithetSlack(qsizetype letters) {
    return letters < 6 ? 0 : letters < 10 ? 1 : 2;
}

// Of the candidates, the nearest; an accepted name before a synonym as near.
template <typename Distance>
Id nearest(const NameCatalog& catalog, std::span<const Id> candidates, int most,
           Distance&& distanceOf) {
    Id best = NameCatalog::noId;
    int bestDistance = most + 1;
    bool bestSynonym = true;
    for (const Id id : candidates) {
        const int d = distanceOf(id, bestDistance);
        if (d > most || d > bestDistance)
            continue;
        const bool synonym = catalog.name(id).synonym;
        if (d < bestDistance || (bestSynonym && !synonym)) {
            best = id;
            bestDistance = d;
            bestSynonym = synonym;
        }
    }
    return best;
}

Id Finder::misspelledEpithet(Word genus, QByteArrayView epithet) const {
    const int most = epithetSlack(epithet.size());
    if (most == 0 || !isAsciiWord(epithet))
        return NameCatalog::noId;
    // The species are in the order of their epithets' lengths: only those near in length.
    const std::span<const Id> species = catalog_.speciesOf(genus);
    const auto lengthOf = [&](Id id) { return catalog_.text(catalog_.speciesWordOf(id)).size(); };
    const auto from =
        std::lower_bound(species.begin(), species.end(), epithet.size() - most,
                         [&](Id id, qsizetype length) { return lengthOf(id) < length; });
    const auto to =
        std::upper_bound(from, species.end(), epithet.size() + most,
                         [&](qsizetype length, Id id) { return length < lengthOf(id); });
    return nearest(catalog_, std::span<const Id>(from, to), most, [&](Id id, int bound) {
        return distance(epithet, catalog_.text(catalog_.speciesWordOf(id)), bound);
    });
}

Id Finder::misspelledGenus(QByteArrayView genus, Word epithet) const {
    if (genus.size() < 5 || !NameWords::isGenus(genus) || !isAsciiWord(genus.sliced(1)))
        return NameCatalog::noId;
    return nearest(catalog_, catalog_.speciesWithEpithet(epithet), 1, [&](Id id, int bound) {
        return distance(genus, catalog_.text(catalog_.genusOf(id)), std::min(bound, 1));
    });
}

// A word of an author citation: a capital and a dot ("L.", "Mill.", "H.Karst.", "DC."), or
// the first word of the authors the catalog has for the name.
bool Finder::authorWord(const Token& token, QByteArrayView tableFirst) const {
    if (token.broken())
        return false;
    const QByteArrayView word = token.withDot(text_);
    if (!tableFirst.isEmpty() && word == tableFirst)
        return true;
    if (word.size() < 2 || word.size() > 30 || !word.contains('.') || !NameWords::startsUpper(word))
        return false;
    return std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' || c == '-' ||
               c == '\'' || uchar(c) >= 0x80;
    });
}

// Whether the token and the next begin a name of their own: "L. decidua" after authors.
bool Finder::startsName(const Token& token) const {
    if (token.stops || token.closes)
        return false;
    const Token epithet = next(token);
    return epithet.valid() && !epithet.opens && NameWords::isEpithet(epithet.text) &&
           NameWords::rankOf(epithet.withDot(text_)).isEmpty() &&
           catalog_.isEpithet(catalog_.word(epithet.text));
}

// The catalog's authors of the name as the text goes on from `from`, spaces left aside
// ("H. Karst." is "H.Karst.").
bool Finder::tableAuthorsAt(const Token& from, QByteArrayView table, Authors& authors) const {
    qsizetype at = from.start;
    const char* const data = text_.data();
    for (qsizetype in = 0; in < table.size(); ++in) {
        if (table[in] == ' ')
            continue;
        while (at < text_.size() && mayEndWord[uchar(data[at])]) {
            const qsizetype space =
                uchar(data[at]) <= ' ' ? 1 : NameWords::spaceAt(data + at, data + text_.size());
            if (space == 0)
                break;
            at += space;
        }
        if (at == text_.size() || data[at] != table[in])
            return false;
        ++at;
    }
    // It must end where a word ends.
    if (at < text_.size() && !mayEndWord[uchar(data[at])] && closerBefore(text_.first(at + 1)) == 0)
        return false;
    Token last = from;
    for (Token token = from; token.valid() && token.start < at; token = next(token))
        last = token;
    if (last.broken() || at > last.end)
        return false;
    authors = {true, last, at, !last.stops && !last.closes};
    return true;
}

Finder::Authors Finder::authorsAt(const Token& from, QByteArrayView table) const {
    Authors authors;
    if (!from.valid())
        return authors;
    if (!table.isEmpty() && tableAuthorsAt(from, table, authors))
        return authors;
    const qsizetype space = table.indexOf(' ');
    const QByteArrayView tableFirst = space > 0 ? table.first(space) : table;
    const auto take = [&](const Token& token) {
        authors = {true, token, token.wordEnd(), !token.stops && !token.closes};
    };
    bool afterBrackets = false;
    Token token = from;
    for (int words = 0; token.valid() && words < 16; ++words) {
        if (token.opens) {
            // Authors in brackets: capitalised words with a dot or joined by "&" or "ex".
            Token inside = token;
            bool dotted = false;
            bool joined = false;
            bool authorsOnly = true;
            for (int count = 0; inside.valid() && count < 8; ++count) {
                const QByteArrayView word = inside.withDot(text_);
                dotted = dotted || authorWord(inside, tableFirst);
                joined = joined || word == "&" || word == "ex";
                authorsOnly = authorsOnly && (NameWords::startsUpper(word) || word == "&" ||
                                              NameWords::isParticle(word));
                if (inside.closes || inside.stops || !authorsOnly)
                    break;
                inside = next(inside);
            }
            if (!inside.valid() || !inside.closes || !authorsOnly || !(dotted || joined))
                break;
            authors = {true, inside, text_.indexOf(')', inside.coreEnd) + 1, !inside.stops};
            if (inside.stops)
                break;
            afterBrackets = true;
            token = next(inside);
            continue;
        }
        const QByteArrayView word = token.withDot(text_);
        if (authorWord(token, tableFirst) ||
            (afterBrackets && NameWords::isGenus(word) && !catalog_.isGenus(word))) {
            if (NameWords::isAbbreviatedGenus(word) && startsName(token))
                break;
            take(token);
        } else if ((word == "&" || NameWords::isParticle(word)) && token.goesOn() &&
                   authors.found) {
            // A word joining authors counts only with an author after it.
            const Token author = next(token);
            const QByteArrayView name = author.withDot(text_);
            const bool strong = word == "&" || word == "ex";
            if (!author.valid() ||
                !(authorWord(author, tableFirst) ||
                  (strong && NameWords::isGenus(name) && !catalog_.isGenus(name))))
                break;
            token = author;
            take(token);
        } else if ((word == "f." || word == "fil.") && authors.found) {
            // Filius, unless a form's epithet follows: then it is the rank.
            const Token after = next(token);
            if (after.valid() && NameWords::isEpithet(after.text))
                break;
            take(token);
        } else {
            break;
        }
        afterBrackets = false;
        if (token.stops || token.closes)
            break;
        token = next(token);
    }
    return authors;
}

void Finder::add(FoundName::Status status, Id id, const Token& first, qsizetype start,
                 qsizetype end, std::initializer_list<std::pair<const Token*, qsizetype>> words,
                 bool withAuthors) {
    FoundName found;
    found.range = {start, end};
    found.line = first.line;
    for (const auto& [token, skip] : words) {
        if (!token)
            continue;
        found.spans[size_t(found.spanCount++)] = {token->coreStart + skip, token->coreEnd};
        if (token->broken())
            found.spans[size_t(found.spanCount++)] = {token->secondStart, token->secondEnd};
    }
    found.status = status;
    found.id = id;
    found.withAuthors = withAuthors;
    found_.append(found);
}

bool Finder::name(const Token& first, Token& after) {
    using Status = FoundName::Status;
    // The genus: written out, after a hybrid sign, or abbreviated.
    Token genusToken = first;
    if (first.text == NameWords::hybridSign) {
        if (!first.goesOn())
            return false;
        genusToken = next(first);
        if (!genusToken.valid() || genusToken.text.isEmpty() || genusToken.text[0] < 'A' ||
            genusToken.text[0] > 'Z')
            return false;
    }
    const qsizetype sign =
        NameWords::startsWithHybridSign(genusToken.text) ? NameWords::hybridSign.size() : 0;
    const QByteArrayView genusText = genusToken.text.sliced(sign);
    Word genus = NameWords::isGenus(genusText) ? catalog_.word(genusText) : NameCatalog::noWord;
    if (!catalog_.isGenus(genus))
        genus = NameCatalog::noWord;
    const bool written = genus != NameCatalog::noWord;
    const bool abbreviated = !written && sign == 0 && genusToken.dot && !genusToken.stops &&
                             !genusToken.closes && !genusToken.broken() &&
                             NameWords::isAbbreviatedGenus(genusToken.withDot(text_));
    const qsizetype start = first.coreStart;
    if (written) {
        written_.push_back(genus);
        if (genusText[0] >= 'A' && genusText[0] <= 'Z')
            lastOfLetter_[size_t(genusText[0] - 'A')] = genus;
    } else if (!abbreviated && !misspellings_)
        return false;
    const Token* genusWord = &genusToken;

    // A genus alone, where it is clearly meant as one.
    const auto genusAlone = [&](const Authors& authors, qsizetype end) {
        const Id id = catalog_.find(genus, NameCatalog::noWord);
        const bool synonym = catalog_.name(id).synonym;
        add(synonym ? Status::Synonym : Status::Accepted, id, first, start,
            authors.found ? authors.end : end, {{genusWord, sign}}, authors.found);
        after = next(authors.found ? authors.last : genusToken);
        return true;
    };
    const bool genusItalic = written && isItalic(genusToken.coreStart + sign, genusToken.coreEnd);
    if (!abbreviated && !genusToken.goesOn())
        return genusItalic && genusAlone({}, genusToken.coreEnd);

    // The epithet, after a hybrid sign of its own or with one glued to it.
    Token epithetToken = next(genusToken);
    if (!epithetToken.valid())
        return genusItalic && genusAlone({}, genusToken.coreEnd);
    if (written) {
        const QByteArrayView word = epithetToken.withDot(text_);
        if (word == "sp." || word == "spp." || word == "sect.") {
            genusAlone({}, epithetToken.wordEnd());
            after = next(epithetToken);
            return true;
        }
    }
    if (NameWords::isHybridSign(epithetToken.text) && epithetToken.goesOn()) {
        const Token epithet = next(epithetToken);
        if (epithet.valid() && NameWords::isEpithet(epithet.text))
            epithetToken = epithet;
    }
    const qsizetype epithetSign =
        NameWords::startsWithHybridSign(epithetToken.text) ? NameWords::hybridSign.size() : 0;
    const QByteArrayView epithetText = epithetToken.text.sliced(epithetSign);
    if (epithetToken.opens || !NameWords::isEpithet(epithetText) ||
        !NameWords::rankOf(epithetToken.withDot(text_)).isEmpty()) {
        if (!written)
            return false;
        const Authors authors = authorsAt(epithetToken, {});
        if (authors.found || genusItalic)
            return genusAlone(authors, genusToken.coreEnd);
        return false;
    }
    const Word epithet = epithetWord(epithetToken, epithetSign);
    // The species of a genus, none for a word the catalog does not have (noWord would find
    // the genus).
    const auto speciesOf = [&](Word ofGenus) {
        return epithet == NameCatalog::noWord ? NameCatalog::noId : catalog_.find(ofGenus, epithet);
    };

    // The genus of an abbreviation: the nearest written out before with the epithet, or the
    // only one of its letters in the catalog with it. Failing both, the nearest, for a
    // misspelled epithet or one unknown.
    if (abbreviated) {
        const QByteArrayView prefix = genusToken.text;
        genus = nearestGenus(prefix);
        if (speciesOf(genus) == NameCatalog::noId) {
            const QList<Id> genera = catalog_.generaWithEpithet(prefix, epithet);
            if (genera.size() == 1)
                genus = catalog_.genusOf(genera.front());
        }
    }
    const Id species = speciesOf(genus);
    const auto tableAuthors = [&](Id id) {
        return id == NameCatalog::noId ? QByteArrayView() : catalog_.name(id).authors;
    };
    Authors speciesAuthors;
    if (epithetToken.goesOn())
        speciesAuthors = authorsAt(next(epithetToken), tableAuthors(species));

    // A rank and the epithet below the species.
    const Token& beforeRank = speciesAuthors.found ? speciesAuthors.last : epithetToken;
    if (genus != NameCatalog::noWord &&
        (speciesAuthors.found ? speciesAuthors.goesOn : epithetToken.goesOn())) {
        const Token rankToken = next(beforeRank);
        const QByteArrayView rank = rankToken.valid() && !rankToken.broken()
                                        ? NameWords::rankOf(rankToken.withDot(text_))
                                        : QByteArrayView();
        const Token infraToken =
            rank.isEmpty() || rankToken.stops || rankToken.closes ? Token() : next(rankToken);
        if (infraToken.valid() && !infraToken.opens && epithet != NameCatalog::noWord) {
            const qsizetype infraSign =
                NameWords::startsWithHybridSign(infraToken.text) ? NameWords::hybridSign.size() : 0;
            const QByteArrayView infraText = infraToken.text.sliced(infraSign);
            const Id infra =
                NameWords::isEpithet(infraText)
                    ? catalog_.find(genus, epithet, rank, epithetWord(infraToken, infraSign))
                    : NameCatalog::noId;
            if (infra != NameCatalog::noId) {
                const Authors infraAuthors = infraToken.goesOn()
                                                 ? authorsAt(next(infraToken), tableAuthors(infra))
                                                 : Authors();
                const qsizetype infraEnd =
                    infraToken.broken() ? infraToken.secondEnd : infraToken.coreEnd;
                add(catalog_.name(infra).synonym ? Status::Synonym : Status::Accepted, infra, first,
                    start, infraAuthors.found ? infraAuthors.end : infraEnd,
                    {{genusWord, sign}, {&epithetToken, epithetSign}, {&infraToken, infraSign}},
                    speciesAuthors.found || infraAuthors.found);
                if (abbreviated)
                    found_.back().spans[0].end += 1; // the abbreviation's dot
                after = next(infraAuthors.found ? infraAuthors.last : infraToken);
                return true;
            }
        }
    }

    // The species; else a misspelling of it; else, where the pair is clearly meant as a name,
    // an epithet the catalog does not know.
    Status status = Status::Misspelling;
    Id id = species;
    if (species != NameCatalog::noId)
        status = catalog_.name(species).synonym ? Status::Synonym : Status::Accepted;
    else if (misspellings_ && genus != NameCatalog::noWord)
        id = misspelledEpithet(genus, epithetText);
    else if (misspellings_ && !abbreviated && catalog_.isEpithet(epithet))
        id = misspelledGenus(genusText, epithet);
    if (id == NameCatalog::noId) {
        // With authors after it only an epithet known in some genus counts: an ordinary
        // word followed by an initial ("Iris said L. Smith") is no name.
        const bool meant =
            isItalic(epithetToken) || (speciesAuthors.found && catalog_.isEpithet(epithet));
        if (genus == NameCatalog::noWord || !meant)
            return genusItalic && genusAlone({}, genusToken.coreEnd);
        status = Status::Unknown;
    }
    const qsizetype epithetEnd =
        epithetToken.broken() ? epithetToken.secondEnd : epithetToken.coreEnd;
    add(status, id, first, start, speciesAuthors.found ? speciesAuthors.end : epithetEnd,
        {{genusWord, sign}, {&epithetToken, epithetSign}}, speciesAuthors.found);
    if (abbreviated)
        found_.back().spans[0].end += 1; // the abbreviation's dot
    after = next(speciesAuthors.found ? speciesAuthors.last : epithetToken);
    return true;
}

} // namespace

QList<FoundName> findNames(const NameCatalog& catalog, QByteArrayView utf8,
                           const QList<TextSpan>& italics, bool misspellings) {
    return Finder(catalog, utf8, italics, misspellings).run();
}
