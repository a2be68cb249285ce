#pragma once

#include <QString>

class BenchWindow;

// The clipboard watch of the main window, at the subspecies level so that a lookup of
// "GENUS SPECIES" refills both lists:
//   lookup       the lookup of the name, against the two list fills it causes;
//   long-text    the program's own work on a 10 MB text that begins with the name, against
//                its work on the name alone.
void benchLookups(BenchWindow& windows, int rounds, const QString& genus, const QString& species);

// A tick of the watch while the desktop's clipboard holds the same name as at the last
// tick, against reading the clipboard's text alone. The name is put on the clipboard by
// another program before (xclip under X), or else by this one.
void benchWatchTick(BenchWindow& windows, int rounds, const QString& name);
