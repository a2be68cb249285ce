#pragma once

#include "names/BotanicalName.h"

#include <QString>

// Reads a botanical name as checklists, floras and people write it: the hybrid sign apart,
// glued or as the letter x; any rank spelling of botanical usage, with or without its dot or
// the space after it; authors with their particles, basionym authors in brackets, "ex", "in",
// "emend.", sanctioning authors after ":" and years; annotations after the authors. Any white
// space of Unicode separates words. A name with two ranks below the species is taken at the
// lowest (with its own epithet and authors); the species keeps its authors.
//
// The views of the name point into `utf8`, which must outlive it.
BotanicalName parseName(QByteArrayView utf8);
// The same for a text not in UTF-8 (a copied one): the name keeps a copy of the text.
BotanicalName parseName(const QString& text);

// The text's words with one space between each two, split as a name's are ("dendrobii(H.C."
// gives "dendrobii (H.C."). A text that is tidy already is not copied: the result is then
// valid as long as the text.
QByteArray tidyName(QByteArrayView utf8);
