#pragma once

#include "import/TaxonColumns.h"
#include "names/BotanicalName.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

class DelimitedReader;

// What one row of a checklist's core becomes: a row of the name table (an accepted genus,
// species or name below the species), a synonym that points to accepted names by their ids,
// or a row that is left out, with the reason.
struct TaxonRow {
    enum class Kind { Name, Synonym, Skipped };
    // Why a row is left out; `detail` adds the word where the reason has one.
    enum class Skip {
        Kingdom,          // not of the plant kingdom
        Status,           // a status word not known
        Rank,             // a rank above the genus or between genus and species
        UnknownRank,      // a rank word not known
        NoName,           // neither a scientific name nor a genus
        NotAName,         // a name that does not begin with a genus
        AbbreviatedGenus, // "M. alpium"
        Unnamed,          // a placeholder: "Incertae sedis", "None recorded"
        Formula,          // an accepted hybrid formula
        Cultivar,         // a cultivar's epithet
        Surrogate,        // "sp.", "cf.", "aff." in the place of an epithet
        NoRankWord,       // below the species, with no rank word in rank or name
        NoRank,           // one word without a rank: a genus or a family cannot be told apart
        RankNotInName,    // the rank asks for an epithet the name lacks
        SynonymNoTarget,  // a synonym that points to no other row
    };

    Kind kind = Kind::Skipped;
    Skip skip = Skip::NoName;
    QByteArray detail;

    // A name row: level 0, 1, 2, with the name table's texts.
    int level = 0;
    QByteArray genus, species, subsp, author0, author1;
    // A synonym: its text ("Genus epithet [rank epithet]") and the ids it points to.
    QByteArray synonym;
    QList<QByteArray> targets;
    // The row's own id, empty when it has none.
    QByteArray id;
    // A name below the species written with a higher rank too, of which the lowest is kept.
    bool lowestOfRanks = false;
    // The name as parsed from the row: the texts above may point into it.
    BotanicalName parsed;
};

// Maps the rows of one core: status and rank words, a name's parts from its columns or parsed
// from the scientific name and its authorship, authors to their levels (an autonym takes no
// author of its own), hybrid signs kept.
class TaxonMapper {
public:
    explicit TaxonMapper(const TaxonColumns& columns) : columns_(columns) {}

    // Maps the current row of `reader` into `row`, which is reused from row to row. Its texts
    // may point into the reader's row: they are valid until the next row is read.
    void map(const DelimitedReader& reader, TaxonRow& row) const;

private:
    bool nameParts(const DelimitedReader& reader, TaxonRow& row, bool synonym) const;

    const TaxonColumns& columns_;
};
