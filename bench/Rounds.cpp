#include "Rounds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

Rounds Rounds::interleaved(int count, const std::function<void(Rounds&)>& round) {
    Rounds warmUp;
    round(warmUp);
    Rounds rounds;
    for (int i = 0; i < count; ++i)
        round(rounds);
    return rounds;
}

double timeMs(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void printFigure(const char* key, const Rounds& rounds, const QString& note) {
    const auto [oursLeast, oursMost] = std::minmax_element(rounds.ours.begin(), rounds.ours.end());
    const auto [floorLeast, floorMost] =
        std::minmax_element(rounds.floor.begin(), rounds.floor.end());
    std::printf("%s %.4f %.4f %.4f..%.4f %.4f..%.4f %s\n", key, median(rounds.ours),
                median(rounds.floor), *oursLeast, *oursMost, *floorLeast, *floorMost,
                qPrintable(note));
    std::fflush(stdout);
}

void Rounds::timeBoth(const std::function<void()>& ourWork,
                      const std::function<void()>& floorWork) {
    const bool floorFirst = ours.size() % 2;
    if (floorFirst)
        floor.push_back(timeMs(floorWork));
    ours.push_back(timeMs(ourWork));
    if (!floorFirst)
        floor.push_back(timeMs(floorWork));
    QCoreApplication::processEvents();
}

void quit(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(text));
    std::exit(2);
}

BenchCommandLine readBenchCommandLine(const QStringList& arguments, qsizetype wordCount,
                                      const QString& usage) {
    BenchCommandLine line;
    line.words = arguments.mid(1);
    if (const qsizetype n = line.words.indexOf(QStringLiteral("-n"));
        n >= 0 && n + 1 < line.words.size()) {
        line.rounds = line.words[n + 1].toInt();
        line.words.remove(n, 2);
    }
    if (line.words.size() != wordCount || line.rounds < 1)
        quit(QStringLiteral("usage: ") + usage);
    return line;
}
