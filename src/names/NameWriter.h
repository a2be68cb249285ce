#pragma once

#include "names/BotanicalName.h"

#include <QByteArray>

// A name written as botanists write it: the hybrid sign "×" glued to its word, the rank's
// standard word, one space between words, authors as their parts give them ("(Brade)
// R.Tav. & Baumgratz", "Willd. ex Spreng.", "Bull. : Fr.").
QByteArray writeName(const BotanicalName& name);
QByteArray writeAuthorship(const Authorship& authors);
