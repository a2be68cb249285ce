#pragma once

#include <QString>

class BenchWindow;

// The list that each fill shows: the genus with the most species, and the species with the
// most subspecies (with its genus).
struct LargestLists {
    QString genus;
    QString speciesGenus;
    QString species;
};

LargestLists largestLists(const QString& tableFile);

// The three list fills of the main window against the floor of their queries, warm (the
// window's own connection, filled before) and cold (a window that has just opened its
// tables, against the floor on a file opened afresh).
void benchFills(BenchWindow& windows, const QString& tableFile, int rounds,
                const LargestLists& lists);
