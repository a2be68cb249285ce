#pragma once

#include "import/ArchiveImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

// The progress bar of an archive import on a terminal: the phase, a bar, the rows a second
// and the time left, redrawn in place at most ten times a second.
class ImportProgress {
    Q_DECLARE_TR_FUNCTIONS(ImportProgress)

public:
    explicit ImportProgress(std::FILE* terminal) : terminal_(terminal) { clock_.start(); }
    ~ImportProgress() { end(); }
    ImportProgress(const ImportProgress&) = delete;
    ImportProgress& operator=(const ImportProgress&) = delete;

    void show(ArchiveImport::Phase phase, qint64 done, qint64 total, qint64 rows);
    // Leaves the bar's line, so that what is printed next starts on its own.
    void end();

private:
    static QString phaseName(ArchiveImport::Phase phase);

    std::FILE* terminal_;
    QElapsedTimer clock_;
    qint64 lastDraw_ = -1;
    int phase_ = -1;
    qint64 phaseStart_ = 0;
    bool drawn_ = false;
};
