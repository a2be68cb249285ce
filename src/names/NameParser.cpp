#include "names/NameParser.h"

#include "names/NameWords.h"

#include <algorithm>
#include <cstring>

using namespace NameWords;

namespace {

// A name's words, at most as many as any name has: the rest of a longer text is its last.
struct Words {
    static constexpr int most = 64;
    QByteArrayView at[most];
    int count = 0;
    bool tidy = true; // one ASCII space between each two words, none at the ends

    QByteArrayView span(int from, int to) const {
        return from >= to ? QByteArrayView()
                          : QByteArrayView(at[from].begin(), at[to - 1].end());
    }
};

bool isLetterByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || uchar(c) >= 0x80;
}

// Where a word ends: at a space, before a "(" glued to the word, after a ")" glued to the
// next ("(H.C. Burnett)U. Braun").
const char* wordEnd(const char* from, const char* end) {
    const char* at = from;
    for (; at < end; ++at) {
        const uchar c = uchar(*at);
        if (c > ' ' && c < 0x80 && c != '(' && c != ')')
            continue;
        if (c == '(' ? at > from : c == ')' ? false : spaceAt(at, end) > 0)
            break;
        if (c == ')' && at + 1 < end && isLetterByte(at[1]))
            return at + 1;
    }
    return at;
}

// A rank word glued to its epithet ("var.aurantiaca") ends after its dot.
const char* rankDotEnd(const char* from, const char* end) {
    if (*from < 'a' || *from > 'z')
        return end;
    const auto dot = static_cast<const char*>(std::memchr(from, '.', size_t(end - from)));
    if (dot && dot + 1 < end && dot[1] >= 'a' && dot[1] <= 'z' &&
        !rankOf(QByteArrayView(from, dot + 1)).isEmpty())
        return dot + 1;
    return end;
}

void split(QByteArrayView text, Words& words) {
    const char* at = text.begin();
    const char* const end = text.end();
    while (at < end) {
        const char* const gap = at;
        for (qsizetype space; at < end && (space = spaceAt(at, end)) > 0;)
            at += space;
        if (at == end) {
            words.tidy = words.tidy && gap == at;
            break;
        }
        const bool oneSpace = at - gap == 1 && *gap == ' ';
        words.tidy = words.tidy && (words.count == 0 ? gap == at : oneSpace);
        if (words.count == Words::most - 1) {
            words.at[words.count++] = QByteArrayView(at, end);
            words.tidy = false;
            return;
        }
        const char* wordEnds = rankDotEnd(at, wordEnd(at, end));
        words.at[words.count++] = QByteArrayView(at, wordEnds);
        at = wordEnds;
    }
}

qsizetype joinedSize(const Words& words) {
    qsizetype size = words.count - 1;
    for (int word = 0; word < words.count; ++word)
        size += words.at[word].size();
    return std::max<qsizetype>(size, 0);
}

// The words written anew at `out` with one space between each two; they then point there.
void join(Words& words, char* out) {
    for (int word = 0; word < words.count; ++word) {
        if (word > 0)
            *out++ = ' ';
        const QByteArrayView text = words.at[word];
        std::memcpy(out, text.data(), size_t(text.size()));
        words.at[word] = QByteArrayView(out, text.size());
        out += text.size();
    }
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == ','))
        text.chop(1);
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    return text;
}

// Cuts `text` at `mark`: what follows goes to `after`, what precedes stays.
void cutAt(QByteArrayView& text, QByteArrayView mark, QByteArrayView& after) {
    const qsizetype at = text.indexOf(mark);
    if (at < 0)
        return;
    after = trimmed(text.sliced(at + mark.size()));
    text = trimmed(text.first(at));
}

AuthorTeam team(QByteArrayView text) {
    AuthorTeam team;
    // A year at the end: "L. 1753", "L., 1753", "L. (1753)".
    const qsizetype space = text.lastIndexOf(' ');
    QByteArrayView last = text.sliced(space + 1);
    const qsizetype brackets = last.startsWith('(') && last.endsWith(')') ? 1 : 0;
    last = last.sliced(brackets, last.size() - 2 * brackets);
    if (space > 0 && last.size() == 4 &&
        std::all_of(last.begin(), last.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        team.year = last;
        text = trimmed(text.first(space));
    }
    cutAt(text, ":", team.sanctioning);
    cutAt(text, " emend. ", team.emendedBy);
    cutAt(text, " in ", team.inAuthors);
    const qsizetype ex = text.indexOf(" ex ");
    if (ex >= 0) {
        team.exAuthors = text.first(ex);
        text = trimmed(text.sliced(ex + 4));
    }
    team.authors = text;
    return team;
}

Authorship authorship(const Words& words, int from, int to) {
    Authorship authors;
    authors.text = trimmed(words.span(from, to));
    QByteArrayView rest = authors.text;
    if (rest.startsWith('(')) {
        const qsizetype close = rest.indexOf(')');
        if (close > 0) {
            authors.basionym = team(trimmed(rest.sliced(1, close - 1)));
            rest = trimmed(rest.sliced(close + 1));
        }
    }
    if (!rest.isEmpty())
        authors.combination = team(rest);
    return authors;
}

// Words that stand in the place of a name: "Incertae sedis", "None recorded", "Unknown".
bool isPlaceholder(QByteArrayView first) {
    for (const QByteArrayView word : {"incertae", "none", "unknown", "unassigned", "unplaced",
                                      "undetermined", "not", "indet."}) {
        if (first.compare(word, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

class Parser {
public:
    Parser(const Words& words, BotanicalName& name) : w_(words), n_(words.count), name_(name) {}

    void parse() {
        int at = 0;
        if (n_ == 0)
            return;
        if (isPlaceholder(w_.at[0]))
            return is(BotanicalName::Kind::Unnamed);
        if (!genus(at))
            return;
        name_.kind = BotanicalName::Kind::Name;
        // A subgenus in brackets before the epithet.
        if (at + 1 < n_ && w_.at[at].startsWith('(') && w_.at[at].endsWith(')') &&
            isGenus(w_.at[at].sliced(1).chopped(1)) && epithet(at + 1) > 0)
            ++at;
        if (at == n_)
            return;
        const QByteArrayView word = w_.at[at];
        if (isSurrogate(word))
            return is(BotanicalName::Kind::Surrogate);
        if (isCultivarMark(word))
            return is(BotanicalName::Kind::Cultivar);
        const int taken = epithet(at, &name_.species, &name_.speciesHybrid);
        if (taken == 0) {
            if (isHybridSign(word) && at + 1 < n_)
                return is(BotanicalName::Kind::Formula); // of genera: "Agrostis × Polypogon"
            return authorsAndAnnotation(at, n_);
        }
        below(at + taken);
    }

private:
    void is(BotanicalName::Kind kind) { name_.kind = kind; }

    bool genus(int& at) {
        if (n_ > 1 && isHybridSign(w_.at[0]) && startsUpper(w_.at[1])) {
            name_.genusHybrid = true;
            ++at;
        }
        QByteArrayView word = w_.at[at];
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
        QByteArrayView word = w_.at[at];
        int taken = 1;
        bool sign = false;
        if (isHybridSign(word) && at + 1 < n_ && isEpithet(w_.at[at + 1])) {
            word = w_.at[at + 1];
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
            const QByteArrayView word = w_.at[at];
            if ((isHybridSign(word) && at + 1 < n_) || startsWithHybridSign(word))
                return is(BotanicalName::Kind::Formula);
            if (isCultivarMark(word))
                return is(BotanicalName::Kind::Cultivar);
            // A rank word and its epithet, or an epithet without a rank word just after the
            // species's.
            QByteArrayView rank = startsUpper(word) ? QByteArrayView() : rankOf(word);
            int epithetAt = at + 1;
            int taken = rank.isEmpty() ? 0 : epithet(epithetAt, &name_.infra, &name_.infraHybrid);
            if (taken == 0 && at == from && speciesTo < 0) {
                rank = {};
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
    void authorsAndAnnotation(int from, int to) {
        int annotation = from;
        while (annotation < to && !isAnnotation(w_.at[annotation]))
            ++annotation;
        name_.speciesAuthors = authorship(w_, from, annotation);
        name_.annotation = w_.span(annotation, to);
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
    name.source_ = utf8; // shares the bytes that the views point into
    return name;
}
