#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The words that checklists write in their status, rank and kingdom columns, in the usual
// spellings and languages, without regard to letter case, '_' or '-'.
namespace TaxonWords {

enum class Status { Accepted, Synonym, Unknown };
Status status(QByteArrayView word);

// A rank: the level of the name table it goes to (0 genus, 1 species, 2 below the species;
// -1 a rank the table has no level for, unknownRank a word of no known rank) and, below the
// species, its usual rank word ("subsp.", "var.", "f." ...), empty for an infraspecific rank
// of no particular word.
constexpr int unknownRank = -2;
struct Rank {
    int level = unknownRank;
    QByteArray word;
};
Rank rank(QByteArrayView word);

bool isPlantKingdom(QByteArrayView word);
// Whether an identifier field holds one of the usual marks of no value ("NULL", "\N").
bool isNullMark(QByteArrayView field);

} // namespace TaxonWords
