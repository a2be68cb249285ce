#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Timings of our work and of its floor, taken in alternating rounds so that both see the
// same machine; a figure is the median of its rounds.
struct Rounds {
    std::vector<double> ours;
    std::vector<double> floor;

    // Runs `round` `count` times, after one run that is not kept (it warms caches).
    static Rounds interleaved(int count, const std::function<void(Rounds&)>& round);
    // Times `ours` and `floor` once each, the floor first in every other round; then lets the
    // event loop handle what the round posted, outside the clocks.
    void timeBoth(const std::function<void()>& ours, const std::function<void()>& floor);
};

// Ends a benchmark program that cannot measure, naming the program and why.
[[noreturn]] void quit(const QString& text);

// A benchmark program's command line: its words after the program's name and the rounds
// given with -n (15 by default). Any other count of words, or no round, ends the program
// with `usage`. The benchmarks draw offscreen unless told otherwise.
struct BenchCommandLine {
    QStringList words;
    int rounds = 15;
};
BenchCommandLine readBenchCommandLine(const QStringList& arguments, qsizetype wordCount,
                                      const QString& usage);

// Milliseconds that `work` takes.
double timeMs(const std::function<void()>& work);
double median(std::vector<double> values);

// One line for bench/run: the figure's key, our median and the floor's median in
// milliseconds, the least and most of each (least..most), and a note that names what was
// measured.
void printFigure(const char* key, const Rounds& rounds, const QString& note);
