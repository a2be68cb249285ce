// text-check-bench: finding the names of the tables in a manuscript against looking up every
// pair of its words.
//
//   text-check-bench NAMES.tsv SYNONYMS.tsv [-n ROUNDS]
//
// The tables are the name and synonym tables as the TSV import reads them. Before the clocks
// start, the catalog (names/NameCatalog.h) is built from them, and so is the floor's set of
// every name as text, "Genus epithet" and "Genus epithet rank epithet". The text, about 1 MB,
// is prose (the paragraphs below, over and over) with a name of the tables after each sentence,
// drawn from a fixed sequence: written out, with authors, abbreviated, synonyms, names below
// the species, broken at a line end, a few misspelled.
//
// Figure lines: text-check and text-check-misspellings (findNames without and with
// misspellings against the floor: a loop that reads the text once and looks each two
// neighbouring words up in a std::unordered_set<std::string>), the same on the text's first
// half (-half), and, once, the catalog's build time against building the floor's set, and its
// memory against the set's.
#include "Rounds.h"
#include "names/NameCatalog.h"
#include "names/NamesInText.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <string>
#include <unistd.h>
#include <unordered_set>
#include <vector>

namespace {

// Where the counts go, so that the work is not left out.
volatile qsizetype seen = 0;

const char* const prose[] = {
    "The survey covered the northern slopes of the valley, where the old spruce forest gives "
    "way to meadows and scattered shrubs. Each plot was visited twice, in early June and again "
    "at the end of August, and every vascular plant was recorded with its cover. Iris said the "
    "wettest plots lay along the stream, below the road to Valdivia, and that most of them "
    "were grazed. Specimens of doubtful plants were collected and later compared with the "
    "material kept in the herbarium.",
    "Na severních svazích údolí ustupuje starý smrkový les loukám a roztroušeným keřům. Každá "
    "plocha byla navštívena dvakrát, začátkem června a znovu koncem srpna, a u každé cévnaté "
    "rostliny byla zapsána její pokryvnost. Nejvlhčí plochy leží podél potoka pod silnicí, "
    "většina z nich je spásána a na okrajích roste mnoho druhů typických pro vlhké louky. "
    "Pochybné rostliny byly sebrány a později porovnány s herbářovými doklady.",
};

// The parts of the text between the separators, as views into it.
QList<QByteArrayView> parts(QByteArrayView text, QByteArrayView separator) {
    QList<QByteArrayView> parts;
    for (qsizetype from = 0;;) {
        const qsizetype at = text.indexOf(separator, from);
        parts.append(text.sliced(from, (at < 0 ? text.size() : at) - from));
        if (at < 0)
            return parts;
        from = at + separator.size();
    }
}

QByteArray fileText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        quit(QStringLiteral("cannot read %1").arg(path));
    return file.readAll();
}

// The lines of a table without its header, each split at its tabs.
std::vector<QList<QByteArrayView>> rowsOf(const QByteArray& text) {
    std::vector<QList<QByteArrayView>> rows;
    for (const QByteArrayView line : parts(text, "\n").mid(1)) {
        if (!line.isEmpty())
            rows.push_back(parts(line, "\t"));
    }
    return rows;
}

qsizetype residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// The words that are there, one space between each two.
QByteArray spaced(std::initializer_list<QByteArrayView> words) {
    QByteArray text;
    for (const QByteArrayView word : words) {
        if (word.isEmpty())
            continue;
        if (!text.isEmpty())
            text += ' ';
        text += word;
    }
    return text;
}

// A fixed sequence of numbers (xorshift64*).
class Draw {
public:
    quint64 next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 2685821657736338717ULL;
    }
    size_t below(size_t count) { return size_t(next() % count); }

private:
    quint64 state_ = 0x9E3779B97F4A7C15ULL;
};

// A text of at least `size` bytes in lines of about 72 bytes.
class Manuscript {
public:
    void word(QByteArrayView word) {
        if (!text_.isEmpty())
            text_ += line_ + word.size() > 72 ? '\n' : ' ';
        if (text_.endsWith('\n'))
            line_ = 0;
        text_ += word;
        line_ += word.size() + 1;
    }
    void words(QByteArrayView text) {
        for (const QByteArrayView part : parts(text, " "))
            word(part);
    }
    // A word broken at the line's end after `at` bytes.
    void broken(QByteArrayView word, qsizetype at) {
        this->word(word.first(at).toByteArray() + '-');
        text_ += '\n';
        text_ += word.sliced(at);
        line_ = word.size() - at;
    }
    const QByteArray& text() const { return text_; }

private:
    QByteArray text_;
    qsizetype line_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const BenchCommandLine line =
        readBenchCommandLine(application.arguments(), 2,
                             QStringLiteral("text-check-bench NAMES.tsv SYNONYMS.tsv [-n ROUNDS]"));
    const QByteArray namesText = fileText(line.words[0]);
    const QByteArray synonymsText = fileText(line.words[1]);
    const auto names = rowsOf(namesText);
    const auto synonyms = rowsOf(synonymsText);

    // The catalog, as the program builds it from the tables.
    const qsizetype residentBefore = residentBytes();
    NameCatalog catalog;
    std::vector<NameCatalog::Id> idOfRow;
    const double buildMs = timeMs([&] {
        for (const auto& row : names) {
            if (row.size() < 8)
                continue;
            const size_t record = size_t(row[7].toULongLong());
            if (record >= idOfRow.size())
                idOfRow.resize(record + 1, NameCatalog::noId);
            idOfRow[record] =
                catalog.addAccepted(row[1], row[2], row[3], row[0] == "2" ? row[5] : row[4]);
        }
        for (const auto& row : synonyms) {
            const size_t record = row.size() < 2 ? 0 : size_t(row[1].toULongLong());
            if (record < idOfRow.size() && idOfRow[record] != NameCatalog::noId)
                catalog.addSynonym(row[0], idOfRow[record]);
        }
        catalog.finish();
    });
    const qsizetype residentCatalog = residentBytes() - residentBefore;

    // The floor's set of every name as text.
    std::unordered_set<std::string> floorNames;
    const double floorBuildMs = timeMs([&] {
        for (const auto& row : names) {
            if (row.size() < 8 || row[2].isEmpty())
                continue;
            std::string name =
                row[1].toByteArray().toStdString() + ' ' + row[2].toByteArray().toStdString();
            if (!row[3].isEmpty())
                name += ' ' + row[3].toByteArray().toStdString();
            floorNames.insert(std::move(name));
        }
        for (const auto& row : synonyms)
            floorNames.insert(row[0].toByteArray().toStdString());
    });
    const qsizetype residentFloor = residentBytes() - residentBefore - residentCatalog;

    // The manuscript.
    std::vector<size_t> species, below;
    for (size_t at = 0; at < names.size(); ++at) {
        if (names[at].size() >= 8 && names[at][0] == "1")
            species.push_back(at);
        else if (names[at].size() >= 8 && names[at][0] == "2")
            below.push_back(at);
    }
    if (species.empty() || below.empty() || synonyms.empty())
        quit(QStringLiteral("the tables have no species, names below them or synonyms"));
    QList<QByteArray> sentences;
    for (const char* paragraph : prose) {
        for (const QByteArrayView sentence : parts(paragraph, ". "))
            sentences.append(sentence.toByteArray() + (sentence.endsWith('.') ? "" : "."));
    }
    Draw draw;
    Manuscript text;
    QList<QByteArrayView> lastWritten; // genus and epithet of the last species written out
    for (qsizetype sentence = 0; text.text().size() < 1024 * 1024; ++sentence) {
        text.words(sentences[sentence % sentences.size()]);
        const auto& row = names[species[draw.below(species.size())]];
        const size_t kind = draw.below(100);
        if (kind < 40) {
            text.words(spaced({row[1], row[2]}));
            lastWritten = {row[1], row[2]};
        } else if (kind < 55) {
            text.words(spaced({row[1], row[2], row[4]}));
            lastWritten = {row[1], row[2]};
        } else if (kind < 65 && !lastWritten.isEmpty()) {
            text.words(spaced({lastWritten[0].first(1).toByteArray() + '.', lastWritten[1]}));
        } else if (kind < 80) {
            text.words(synonyms[draw.below(synonyms.size())][0]);
        } else if (kind < 88) {
            const auto& infra = names[below[draw.below(below.size())]];
            text.words(spaced({infra[1], infra[2], infra[3], infra[5]}));
        } else if (kind < 95 && row[2].size() >= 6) {
            text.word(row[1]);
            text.broken(row[2], row[2].size() / 2);
        } else if (row[2].size() >= 7) {
            QByteArray misspelled = row[2].toByteArray();
            std::swap(misspelled[2], misspelled[3]);
            text.words(spaced({row[1], misspelled}));
        }
        text.words(QByteArrayView(sentence % 3 ? "is noted." : "was found."));
    }
    const QByteArray whole = text.text();
    const QByteArray half = whole.first(whole.indexOf('\n', whole.size() / 2) + 1);

    // The floor: each two neighbouring words, without the punctuation around them.
    const auto floorOf = [&floorNames](const QByteArray& manuscript) {
        return [&floorNames, manuscript] {
            qsizetype hits = 0;
            std::string pair;
            std::string_view previous;
            const char* at = manuscript.constData();
            const char* const end = at + manuscript.size();
            while (at < end) {
                while (at < end && uchar(*at) <= ' ')
                    ++at;
                const char* const start = at;
                while (at < end && uchar(*at) > ' ')
                    ++at;
                std::string_view word(start, size_t(at - start));
                while (!word.empty() && (word.back() == '.' || word.back() == ',' ||
                                         word.back() == ';' || word.back() == ')'))
                    word.remove_suffix(1);
                while (!word.empty() && word.front() == '(')
                    word.remove_prefix(1);
                pair.assign(previous).append(1, ' ').append(word);
                hits += qsizetype(floorNames.count(pair));
                previous = word;
            }
            seen = seen + hits;
        };
    };
    const auto oursOf = [&catalog](const QByteArray& manuscript, bool misspellings) {
        return [&catalog, manuscript, misspellings] {
            seen = seen + findNames(catalog, manuscript, {}, misspellings).size();
        };
    };
    // The whole text and its half by turns in each round, so that both see the same machine.
    const auto figures = [&](const QString& key, bool misspellings) {
        Rounds halves;
        const Rounds wholes = Rounds::interleaved(line.rounds, [&](Rounds& round) {
            round.timeBoth(oursOf(whole, misspellings), floorOf(whole));
            halves.timeBoth(oursOf(half, misspellings), floorOf(half));
        });
        // Without the round that warmed the caches.
        halves.ours.erase(halves.ours.begin());
        halves.floor.erase(halves.floor.begin());
        const auto print = [&](const QString& name, const QByteArray& manuscript,
                               const Rounds& rounds) {
            printFigure(qPrintable(name), rounds,
                        QStringLiteral("%1 names found in %2 KiB, against a pair lookup of each "
                                       "two words")
                            .arg(findNames(catalog, manuscript, {}, misspellings).size())
                            .arg(manuscript.size() / 1024));
        };
        print(key, whole, wholes);
        print(key + QStringLiteral("-half"), half, halves);
    };
    figures(QStringLiteral("text-check"), false);
    figures(QStringLiteral("text-check-misspellings"), true);

    const size_t count = size_t(catalog.size());
    Rounds build;
    build.ours = {buildMs};
    build.floor = {floorBuildMs};
    printFigure(
        "text-check-catalog", build,
        QStringLiteral("%1 names into the catalog, against the set of their texts").arg(count));
    Rounds memory;
    memory.ours = {double(catalog.bytesUsed()) / 1024};
    memory.floor = {double(residentFloor) / 1024};
    printFigure("text-check-catalog-memory", memory,
                QStringLiteral("the catalog's bytes, %1 a name (resident growth %2 KiB), against "
                               "the set's resident growth")
                    .arg(double(catalog.bytesUsed()) / double(count), 0, 'f', 1)
                    .arg(residentCatalog / 1024));
    return 0;
}
