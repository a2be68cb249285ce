// names-bench: the name parser against splitting the same names at their spaces.
//
//   names-bench NAMES.tsv [-n ROUNDS]
//
// NAMES.tsv is a name table as the TSV import reads it; each row becomes the name written
// whole, "Genus species Author rank epithet Author", in memory before the clocks start. One
// figure line: its key, our median and the floor's median in milliseconds, the rounds, and
// what was measured. Ours parses every name (names/NameParser.h); the floor (split_floor.c)
// only splits each name at its spaces. They run by turns, the one that goes first changing
// from round to round.
#include "Rounds.h"
#include "names/NameParser.h"
#include "split_floor.h"

#include <QCoreApplication>
#include <QFile>
#include <vector>

namespace {

// Where the parts found go, so that finding them is not left out.
volatile qsizetype partsSeen = 0;

// The names of the table written whole, each after a newline; `starts` has where each begins
// and, last, the end of the text.
QByteArray namesOf(const QString& path, std::vector<size_t>& starts) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        quit(QStringLiteral("cannot read %1").arg(path));
    file.readLine(); // the header
    QByteArray text;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().chopped(1).split('\t');
        if (fields.size() < 6)
            continue;
        starts.push_back(size_t(text.size()));
        QByteArray name;
        for (const int column : {1, 2, 4, 3, 5}) {
            if (fields[column].isEmpty())
                continue;
            if (!name.isEmpty())
                name += ' ';
            name += fields[column];
        }
        text += name + '\n';
    }
    starts.push_back(size_t(text.size()));
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const BenchCommandLine line = readBenchCommandLine(
        application.arguments(), 1, QStringLiteral("names-bench NAMES.tsv [-n ROUNDS]"));
    std::vector<size_t> starts;
    const QByteArray text = namesOf(line.words[0], starts);
    const size_t count = starts.size() - 1;
    const auto parseAll = [&] {
        qsizetype parts = 0;
        for (size_t at = 0; at < count; ++at) {
            const BotanicalName name = parseName(QByteArrayView(
                text.constData() + starts[at], qsizetype(starts[at + 1] - starts[at] - 1)));
            parts += name.species.size() + name.infra.size() + name.speciesAuthors.text.size() +
                     name.infraAuthors.text.size();
        }
        partsSeen = partsSeen + parts;
    };
    const auto splitAll = [&] { floor_split_names(text.constData(), starts.data(), count); };
    const Rounds rounds = Rounds::interleaved(
        line.rounds, [&](Rounds& round) { round.timeBoth(parseAll, splitAll); });
    printFigure("name-parser", rounds,
                QStringLiteral("%1 names parsed, against splitting each at its spaces").arg(count));
    return 0;
}
