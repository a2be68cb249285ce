#pragma once

#include <QString>
#include <functional>
#include <vector>

// Timings of our work and of its floor, taken in alternating rounds so that both see the
// same machine; a figure is the median of its rounds.
struct Rounds {
    std::vector<double> ours;
    std::vector<double> floor;

    // Runs `round` `count` times, after one run that is not kept (it warms caches).
    static Rounds interleaved(int count, const std::function<void(Rounds&)>& round);
};

// Milliseconds that `work` takes.
double timeMs(const std::function<void()>& work);
double median(std::vector<double> values);

// One line for bench/run: the figure's key, our median and the floor's median in
// milliseconds, and a note that names what was measured.
void printFigure(const char* key, const Rounds& rounds, const QString& note);
