#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Work that would hang or flood the memory fails a test instead: it runs in a child process
// within a time limit and, outside address-sanitizer builds (whose shadow takes terabytes of
// address space), a limit on its address space.

// A program of the build run as a child process.
struct BoundedRun {
    bool finished = false; // in time, and not killed
    int exitCode = -1;
    QString errors; // what it wrote to standard error

    // Runs `program`, which lies beside the test's own executable.
    static BoundedRun of(const QString& program, const QStringList& arguments, int seconds,
                         qint64 memoryBytes);
};

// Runs `work` in a forked child that is killed after `seconds` and may not grow beyond 1 GiB.
// Gives the child's exit code, `work`'s result; -1 when the child was killed or crashed, -2
// when `work` threw.
int exitCodeInChild(const std::function<int()>& work, unsigned seconds = 10);
