#include "import/TaxonMapper.h"

#include "import/DelimitedReader.h"
#include "import/TaxonWords.h"
#include "names/NameParser.h"
#include "names/NameWords.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

using Term = TaxonColumns::Term;
using Skip = TaxonRow::Skip;
using Kind = BotanicalName::Kind;

bool skip(TaxonRow& row, Skip why, QByteArrayView detail = {}) {
    row.kind = TaxonRow::Kind::Skipped;
    row.skip = why;
    row.detail = detail.toByteArray();
    return false;
}

// Pieces joined as they are: the text's own memory serves it from row to row.
void setJoined(QByteArray& text, std::initializer_list<QByteArrayView> pieces) {
    qsizetype size = 0;
    for (const QByteArrayView piece : pieces)
        size += piece.size();
    // A text that borrows a field of the row read before, or shares its bytes, is not ours to
    // reuse: resizing it would first copy bytes that the reader may have freed.
    if (!text.isDetached())
        text = QByteArray();
    text.resize(size);
    char* out = text.data();
    for (const QByteArrayView piece : pieces) {
        if (piece.isEmpty())
            continue; // an empty view may have no bytes at all to copy from
        std::memcpy(out, piece.data(), size_t(piece.size()));
        out += piece.size();
    }
}

QByteArray borrowed(QByteArrayView text) {
    return QByteArray::fromRawData(text.data(), text.size());
}

QByteArrayView withoutHybridSign(QByteArrayView word) {
    return word.startsWith(NameWords::hybridSign) ? word.sliced(NameWords::hybridSign.size())
                                                  : word;
}

// A word of the name; the name as written adds the hybrid sign that its column may lack.
void setWord(QByteArray& text, const QByteArray& word, QByteArrayView written, bool hybrid) {
    if (hybrid && word == written)
        setJoined(text, {NameWords::hybridSign, word});
    else
        text = word;
}

// Why a name written whole is not stored. A synonym kept as written that does not begin with
// a genus still is one.
std::optional<Skip> skipOf(const BotanicalName& name, bool keptWhole) {
    switch (name.kind) {
    case Kind::Name:
        if (name.genusAbbreviated)
            return Skip::AbbreviatedGenus;
        return std::nullopt;
    case Kind::NoGenus:
        if (keptWhole)
            return std::nullopt;
        return Skip::NotAName;
    case Kind::Formula:
        return Skip::Formula;
    case Kind::Cultivar:
        return Skip::Cultivar;
    case Kind::Surrogate:
        return Skip::Surrogate;
    case Kind::Unnamed:
        return Skip::Unnamed;
    }
    return std::nullopt;
}

} // namespace

void TaxonMapper::map(const DelimitedReader& reader, TaxonRow& row) const {
    const auto value = [&](Term term) { return columns_.value(reader, term).trimmed(); };
    // The row's texts are views into the reader's row, valid until the next row is read.
    const QByteArrayView id = value(Term::TaxonId);
    row.id = QByteArray::fromRawData(id.data(), id.size());
    if (TaxonWords::isNullMark(row.id))
        row.id.clear();
    const QByteArrayView kingdom = value(Term::Kingdom);
    if (!kingdom.isEmpty() && !TaxonWords::isPlantKingdom(kingdom)) {
        skip(row, Skip::Kingdom, kingdom);
        return;
    }

    // The ids the row points to other than its own: one or several.
    row.targets.clear();
    for (QByteArrayView rest = value(Term::AcceptedId); !rest.isEmpty();) {
        const qsizetype separator = rest.indexOf(columns_.idSeparator());
        const QByteArrayView target = (separator < 0 ? rest : rest.first(separator)).trimmed();
        rest = separator < 0 ? QByteArrayView() : rest.sliced(separator + 1);
        if (!target.isEmpty() && !TaxonWords::isNullMark(target) && target != row.id)
            row.targets.append(QByteArray::fromRawData(target.data(), target.size()));
    }
    // Each id once, however many the field holds.
    std::sort(row.targets.begin(), row.targets.end());
    row.targets.erase(std::unique(row.targets.begin(), row.targets.end()), row.targets.end());
    // Without a status word, a row that points to another is a synonym.
    const QByteArrayView statusWord = value(Term::Status);
    bool synonym = !row.targets.isEmpty();
    if (!statusWord.isEmpty()) {
        const TaxonWords::Status status = TaxonWords::status(statusWord);
        if (status == TaxonWords::Status::Unknown) {
            skip(row, Skip::Status, statusWord);
            return;
        }
        synonym = status == TaxonWords::Status::Synonym;
    }
    if (synonym && row.targets.isEmpty()) {
        skip(row, Skip::SynonymNoTarget);
        return;
    }
    if (nameParts(reader, row, synonym))
        row.kind = synonym ? TaxonRow::Kind::Synonym : TaxonRow::Kind::Name;
}

// Fills the level, the texts and the authors of a name, or a synonym's text; false when the
// row is skipped.
bool TaxonMapper::nameParts(const DelimitedReader& reader, TaxonRow& row, bool synonym) const {
    const auto value = [&](Term term) { return columns_.value(reader, term).trimmed(); };
    const QByteArrayView scientificName = value(Term::ScientificName);
    const QByteArrayView authorship = value(Term::Authorship);
    QByteArrayView genus = value(Term::GenericName);
    if (genus.isEmpty())
        genus = value(Term::Genus);
    // The name's columns count where the archive has epithet columns: a genus column alone
    // may be the classification of a name written whole.
    const bool fromColumns = !genus.isEmpty() && columns_.hasColumn(Term::SpecificEpithet);
    // The name whole less its authorship, which checklists mostly write after it.
    QByteArrayView bare = scientificName;
    const bool authorshipAfter = !authorship.isEmpty() && bare.endsWith(authorship);
    if (authorshipAfter)
        bare = bare.chopped(authorship.size()).trimmed();

    const QByteArrayView rankText = value(Term::Rank);
    TaxonWords::Rank rank;
    if (!rankText.isEmpty()) {
        rank = TaxonWords::rank(rankText);
        if (rank.level < 0)
            return skip(row, rank.level == TaxonWords::unknownRank ? Skip::UnknownRank : Skip::Rank,
                        rankText);
    }
    if (!fromColumns && scientificName.isEmpty())
        return skip(row, Skip::NoName);
    // A synonym written whole, its authorship apart, keeps its text as written.
    const bool keptWhole = synonym && !fromColumns && !bare.isEmpty() &&
                           columns_.hasColumn(Term::Authorship) &&
                           (authorship.isEmpty() || authorshipAfter);
    row.parsed = scientificName.isEmpty() ? BotanicalName() : parseName(bare);
    const BotanicalName& name = row.parsed;
    // Where the name's parts are in columns, they are the name; the name written whole only
    // adds to them.
    if (const std::optional<Skip> why = skipOf(name, keptWhole); why && !fromColumns) {
        if (!synonym || why != Skip::Formula)
            return skip(row, *why, scientificName);
        row.synonym = tidyName(scientificName);
        return true;
    }
    if (name.kind != Kind::Name)
        row.parsed = BotanicalName();
    if (keptWhole) {
        row.synonym = tidyName(bare);
        return true;
    }

    // The name's words from its columns, or as written.
    const QByteArray genusWord = fromColumns ? tidyName(genus) : borrowed(name.genus);
    const QByteArray species =
        fromColumns ? tidyName(value(Term::SpecificEpithet)) : borrowed(name.species);
    const QByteArray infra =
        fromColumns ? tidyName(value(Term::InfraspecificEpithet)) : borrowed(name.infra);
    // The level: from the rank where it is known, else from the name's parts.
    if (rankText.isEmpty()) {
        rank.level = !infra.isEmpty() ? 2 : !species.isEmpty() ? 1 : 0;
        if (rank.level == 0 && !fromColumns)
            return skip(row, Skip::NoRank, scientificName);
    }
    if ((rank.level >= 1 && species.isEmpty()) || (rank.level == 2 && infra.isEmpty()))
        return skip(row, Skip::RankNotInName, rankText);
    row.level = rank.level;
    setWord(row.genus, genusWord, name.genus, name.genusHybrid);
    row.species.clear();
    if (row.level >= 1)
        setWord(row.species, species, name.species, name.speciesHybrid);
    // The name as written tells the rank word and the species's authors of a name below the
    // species where it has that name too.
    const bool writtenBelow = !name.infra.isEmpty();
    row.lowestOfRanks = row.level == 2 && name.infraRanks > 1;
    row.subsp.clear();
    if (row.level == 2) {
        const QByteArrayView rankWord =
            !rank.word.isEmpty() ? QByteArrayView(rank.word) : name.rank;
        if (rankWord.isEmpty() && !synonym)
            return skip(row, Skip::NoRankWord, scientificName);
        const bool hybrid = name.infraHybrid && infra == name.infra;
        setJoined(row.subsp, {rankWord, rankWord.isEmpty() ? "" : " ",
                              hybrid ? NameWords::hybridSign : "", infra});
    }
    if (synonym) {
        if (row.level == 0)
            row.synonym = row.genus;
        else if (row.level == 1)
            setJoined(row.synonym, {row.genus, " ", row.species});
        else
            setJoined(row.synonym, {row.genus, " ", row.species, " ", row.subsp});
        return true;
    }

    // Authors: the authorship column where the row has one, else the parsed name's.
    const QByteArray author = !authorship.isEmpty() ? borrowed(authorship)
                              : row.level == 2      ? borrowed(name.infraAuthors.text)
                                                    : borrowed(name.speciesAuthors.text);
    row.author0.clear();
    row.author1.clear();
    if (row.level == 1) {
        row.author0 = author;
    } else if (row.level == 2) {
        if (writtenBelow)
            row.author0 = borrowed(name.speciesAuthors.text);
        // An autonym has no author of its own: one written with it is the species's.
        if (withoutHybridSign(infra) != withoutHybridSign(species))
            row.author1 = author;
        else if (row.author0.isEmpty())
            row.author0 = author;
    }
    return true;
}
