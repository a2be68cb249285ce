#pragma once

#include <QStringList>

// The SQL lines of the three list queries over the name table. The species query takes the
// parameter :genus, the subspecies query :genus and :species.
QStringList genusQueryLines();
QStringList speciesQueryLines();
QStringList subspQueryLines();

// The record of a species or subspecies given in full; takes :genus, :species and :subsp
// (empty for a species).
QStringList nameRecordLines();
// The genera that begin with :genus and hold a species :species; with an empty :species, the
// genus :genus itself.
QStringList generaHoldingLines();
// Every row of the name table: its level, name words, authors and record.
QStringList everyNameLines();
