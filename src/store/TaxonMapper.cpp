#include "store/TaxonMapper.h"

#include "store/DelimitedReader.h"
#include "store/NameParser.h"
#include "store/TaxonWords.h"

#include <algorithm>
#include <cstring>

namespace {

using Term = TaxonColumns::Term;
using Skip = TaxonRow::Skip;

bool skip(TaxonRow& row, Skip why, QByteArrayView detail = {}) {
    row.kind = TaxonRow::Kind::Skipped;
    row.skip = why;
    row.detail = detail.toByteArray();
    return false;
}

// Words joined by single spaces: the text's own memory serves it from row to row.
void setJoined(QByteArray& text, std::initializer_list<QByteArrayView> words) {
    qsizetype size = -1;
    for (const QByteArrayView word : words)
        size += word.size() + 1;
    // A text that borrows a field of the row read before, or shares its bytes, is not ours to
    // reuse: resizing it would first copy bytes that the reader may have freed.
    if (!text.isDetached())
        text = QByteArray();
    text.resize(size);
    char* out = text.data();
    for (const QByteArrayView word : words) {
        if (out != text.data())
            *out++ = ' ';
        std::memcpy(out, word.data(), size_t(word.size()));
        out += word.size();
    }
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
            return skip(row, Skip::Rank, rankText);
    }
    // A synonym written whole, its authorship apart, keeps its text as written.
    if (synonym && !fromColumns && !bare.isEmpty() && columns_.hasColumn(Term::Authorship) &&
        (authorship.isEmpty() || authorshipAfter)) {
        row.synonym = tidyName(bare);
        return true;
    }

    NameParts parts;
    if (fromColumns) {
        parts.genus = tidyName(genus);
        parts.species = tidyName(value(Term::SpecificEpithet));
        parts.infra = tidyName(value(Term::InfraspecificEpithet));
        // The name whole tells the rank word and the species's author of a name below the
        // species.
        if (!parts.infra.isEmpty() && !scientificName.isEmpty()) {
            const NameParts written = parseName(authorshipAfter ? bare : scientificName);
            parts.rankWord = written.rankWord;
            if (!written.infra.isEmpty())
                parts.speciesAuthor = written.speciesAuthor;
        }
    } else if (!scientificName.isEmpty()) {
        parts = parseName(authorshipAfter ? bare : scientificName);
        if (!parts.understood)
            return skip(row, Skip::NotAName, scientificName);
        if (parts.formula) {
            if (!synonym)
                return skip(row, Skip::Formula, scientificName);
            row.synonym = tidyName(scientificName);
            return true;
        }
    } else {
        return skip(row, Skip::NoName);
    }

    // The level: from the rank where it is known, else from the name's parts.
    if (rankText.isEmpty()) {
        rank.level = !parts.infra.isEmpty() ? 2 : !parts.species.isEmpty() ? 1 : 0;
        if (rank.level == 0 && !fromColumns)
            return skip(row, Skip::NoRank, scientificName);
    }
    if ((rank.level >= 1 && parts.species.isEmpty()) || (rank.level == 2 && parts.infra.isEmpty()))
        return skip(row, Skip::RankNotInName, rankText);
    row.level = rank.level;
    row.genus = parts.genus;
    row.species = row.level >= 1 ? parts.species : QByteArray();
    if (row.level < 2)
        row.subsp.clear();
    if (row.level == 2) {
        const QByteArray rankWord = !rank.word.isEmpty() ? rank.word : parts.rankWord;
        if (rankWord.isEmpty() && !synonym)
            return skip(row, Skip::NoRankWord, scientificName);
        if (rankWord.isEmpty())
            row.subsp = parts.infra;
        else
            setJoined(row.subsp, {rankWord, parts.infra});
    }
    if (synonym) {
        if (row.level == 0)
            row.synonym = row.genus;
        else if (row.level == 1)
            setJoined(row.synonym, {row.genus, row.species});
        else
            setJoined(row.synonym, {row.genus, row.species, row.subsp});
        return true;
    }

    // Authors: the authorship column where the row has one, else the parsed name's.
    const QByteArray author = !authorship.isEmpty()
                                  ? QByteArray::fromRawData(authorship.data(), authorship.size())
                              : row.level == 2      ? parts.infraAuthor
                                                    : parts.speciesAuthor;
    row.author0.clear();
    row.author1.clear();
    if (row.level == 1) {
        row.author0 = author;
    } else if (row.level == 2) {
        row.author0 = parts.speciesAuthor;
        // An autonym has no author of its own: one written with it is the species's.
        if (!parts.isAutonym())
            row.author1 = author;
        else if (row.author0.isEmpty())
            row.author0 = author;
    }
    return true;
}
