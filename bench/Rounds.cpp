#include "Rounds.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

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
    std::printf("%s %.4f %.4f %zu %s\n", key, median(rounds.ours), median(rounds.floor),
                rounds.ours.size(), qPrintable(note));
    std::fflush(stdout);
}
