#include "store/NameParser.h"

#include "store/TaxonWords.h"

#include <QVarLengthArray>
#include <QString>
#include <algorithm>

namespace {

const QByteArray hybridSign = "\xC3\x97"; // ×

bool isHybridSign(QByteArrayView word) {
    return word == hybridSign || word == "x" || word == "X";
}

// Words of author citations that are written in lower case.
bool isAuthorWord(QByteArrayView word) {
    static constexpr QByteArrayView words[] = {
        "de", "du",  "da",  "das",   "dos",  "del",   "della", "der",  "den", "di",
        "van", "von", "zu", "la",    "le",   "ex",    "et",    "in",   "y",   "auct",
        "non", "nec", "sensu", "emend", "nom", "comb", "ined", "hort", "sec"};
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

// Whether the word's first letter is lower (or upper) case; a letter of ASCII is told
// without decoding.
bool startsInCase(QByteArrayView word, bool upper) {
    if (word.isEmpty())
        return false;
    const char first = word.front();
    if (uchar(first) < 0x80)
        return upper ? first >= 'A' && first <= 'Z' : first >= 'a' && first <= 'z';
    const QString text = QString::fromUtf8(word.first(std::min<qsizetype>(word.size(), 4)));
    return !text.isEmpty() && (upper ? text[0].isUpper() : text[0].isLower());
}

bool startsLower(QByteArrayView word) {
    return startsInCase(word, false);
}

bool startsUpper(QByteArrayView word) {
    if (word.startsWith(hybridSign))
        word = word.sliced(hybridSign.size());
    return startsInCase(word, true);
}

// An epithet: a word in lower case of letters and hyphens, perhaps after a hybrid sign.
bool isEpithet(QByteArrayView word) {
    if (word.startsWith(hybridSign))
        word = word.sliced(hybridSign.size());
    if (!startsLower(word) || isAuthorWord(word))
        return false;
    for (const char c : word) {
        if (c == '.' || c == '(' || c == ')' || c == ',' || c == '&' || (c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

using Words = QVarLengthArray<QByteArrayView, 24>;

// The words from `from` up to `to` as the tidy name has them, one space between each two.
QByteArray joined(const Words& words, qsizetype from, qsizetype to) {
    if (from >= to)
        return {};
    return QByteArrayView(words[from].begin(), words[to - 1].end()).toByteArray();
}

} // namespace

bool NameParts::isAutonym() const {
    const auto bare = [](QByteArrayView word) {
        return word.startsWith(hybridSign) ? word.sliced(hybridSign.size()) : word;
    };
    return !infra.isEmpty() && bare(infra) == bare(species);
}

QByteArray tidyName(QByteArrayView text) {
    // Mostly there is nothing to tidy: the text is not copied. One look at each byte: no
    // space at either end, none after another, no tab.
    bool tidy = !text.endsWith(' ');
    char before = ' ';
    for (qsizetype at = 0; tidy && at < text.size(); ++at) {
        const char c = text[at];
        tidy = c != '\t' && (c != ' ' || before != ' ');
        before = c;
    }
    if (tidy)
        return QByteArray::fromRawData(text.data(), text.size());
    return text.toByteArray().simplified();
}

NameParts parseName(QByteArrayView name) {
    NameParts parts;
    const QByteArray text = tidyName(name);
    Words words;
    for (QByteArrayView rest(text); !rest.isEmpty();) {
        const qsizetype space = rest.indexOf(' ');
        words.append(space < 0 ? rest : rest.first(space));
        rest = space < 0 ? QByteArrayView() : rest.sliced(space + 1);
    }
    qsizetype at = 0;
    // A hybrid sign written apart from its word, as a letter x.
    const auto take = [&](QByteArray& into) {
        if (isHybridSign(words[at]) && at + 1 < words.size()) {
            into = hybridSign + words[at + 1].toByteArray();
            at += 2;
        } else {
            into = words[at++].toByteArray();
        }
    };
    const auto epithetAt = [&](qsizetype where) {
        return where < words.size() &&
               (isEpithet(words[where]) || (isHybridSign(words[where]) &&
                                            where + 1 < words.size() && isEpithet(words[where + 1])));
    };
    if (words.isEmpty())
        return parts;
    take(parts.genus);
    if (!startsUpper(parts.genus))
        return parts;
    parts.understood = true;
    if (at < words.size() && words[at].startsWith('(') && words[at].endsWith(')'))
        ++at; // a subgenus
    if (!epithetAt(at)) {
        parts.speciesAuthor = joined(words, at, words.size());
        return parts;
    }
    take(parts.species);
    const qsizetype authorFrom = at;
    for (; at < words.size(); ++at) {
        const QByteArray rankWord = TaxonWords::rankWordInName(words[at]);
        if (!rankWord.isEmpty() && epithetAt(at + 1)) {
            parts.speciesAuthor = joined(words, authorFrom, at);
            parts.rankWord = rankWord;
            ++at;
            take(parts.infra);
            parts.infraAuthor = joined(words, at, words.size());
            return parts;
        }
        if ((isHybridSign(words[at]) && epithetAt(at + 1)) ||
            (at == authorFrom && words[at].startsWith(hybridSign))) {
            parts.formula = true;
            return parts;
        }
        if (at == authorFrom && isEpithet(words[at])) {
            take(parts.infra);
            parts.infraAuthor = joined(words, at, words.size());
            return parts;
        }
    }
    parts.speciesAuthor = joined(words, authorFrom, words.size());
    return parts;
}
