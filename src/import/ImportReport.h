#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// The parts of an import, each shown by its own progress bar.
enum class ImportPhase { Reading, Names, Synonyms };
// Called now and then: the phase, how much of it is done of how much, and the rows so far.
using PhaseProgress =
    std::function<void(ImportPhase phase, qint64 done, qint64 total, qint64 rows)>;

// What an import did: the names by level, the rows added for genera and species
// that had none, the synonyms, and each kind of row left out (or link not followed) with its
// count and where the first three stand.
struct ImportReport {
    Q_DECLARE_TR_FUNCTIONS(ImportReport)

public:
    struct Kind {
        QString what;
        qint64 count = 0;
        QStringList first; // "12", or "taxa2.txt:12" when the core has several files
    };

    std::array<qint64, 3> names{};
    qint64 addedGenera = 0;
    qint64 addedSpecies = 0;
    qint64 synonyms = 0;
    // Names below the species written with two ranks, taken at the lower.
    qint64 lowestOfRanks = 0;
    QString citation;
    QList<Kind> skipped; // in the order each kind first appeared

    void note(const QString& what, const QString& where);
    // The summary printed at the end of an import.
    QString text() const;

private:
    QHash<QString, qsizetype> kindAt_;
};
