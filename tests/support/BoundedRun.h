#pragma once

#include <QString>
#include <QStringList>

// A program of the build run as a child process within a time limit and a limit on its
// address space: a run that would hang or flood the memory fails the test instead.
struct BoundedRun {
    bool finished = false; // in time, and not killed
    int exitCode = -1;
    QString errors; // what it wrote to standard error

    // Runs `program`, which lies beside the test's own executable.
    static BoundedRun of(const QString& program, const QStringList& arguments, int seconds,
                         qint64 memoryBytes);
};
