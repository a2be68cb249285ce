#include "import/TableImport.h"

#include "import/PairWriter.h"
#include "import/TableWriter.h"
#include "import/TsvReader.h"
#include "store/TablePassword.h"
#include "store/TableSchema.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHashFunctions>
#include <QList>
#include <QSet>
#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace TableImport {
namespace {

constexpr qint64 progressStep = 1 << 14;
constexpr qint64 intMax = std::numeric_limits<int>::max();
constexpr qint64 intMin = std::numeric_limits<int>::min();

namespace NameColumn = TableSchema::NameColumn;
namespace SynonymColumn = TableSchema::SynonymColumn;

// The position of one of the layout's own columns; the layout alone orders the columns.
int positionIn(const TableSchema::Layout& layout, const QString& name) {
    const int position = layout.position(name);
    Q_ASSERT_X(position >= 0, "TableImport", qPrintable(name));
    return position;
}

// Checks and writes the rows of the name table: the level and the fields it needs, whole
// numbers, unique record numbers, no name twice, and that every species has its genus row and
// every subspecies its species row (the lists link the levels by these texts alone). It keeps
// the genera, the record numbers and a hash of each row's name; a row whose parent cannot be
// checked yet waits to the end.
class NameRows {
    Q_DECLARE_TR_FUNCTIONS(TableImport)

public:
    explicit NameRows(const TableSchema::Layout& layout)
        : level_(positionIn(layout, NameColumn::level)),
          genus_(positionIn(layout, NameColumn::genus)),
          species_(positionIn(layout, NameColumn::species)),
          subsp_(positionIn(layout, NameColumn::subsp)),
          author0_(positionIn(layout, NameColumn::author0)),
          author1_(positionIn(layout, NameColumn::author1)),
          page_(positionIn(layout, NameColumn::page)),
          record_(positionIn(layout, NameColumn::record)), texts_{genus_, species_, subsp_,
                                                                  author0_, author1_} {}

    // Room for as many rows as the file of `bytes` can hold, taken only as the rows fill it:
    // the lists then never grow by copying, which would double their memory for a moment.
    void expect(qint64 bytes) {
        const size_t mostRows = size_t(std::max<qint64>(bytes, 0) / shortestRowBytes);
        records_.reserve(mostRows);
        names_.reserve(mostRows);
    }

    void write(const TsvReader& reader, TableWriter& writer) {
        if (reader.line() > maxLine)
            reader.fail(tr("soubor má víc než %1 řádků").arg(maxLine));
        const qint64 level = reader.integer(level_, 0, 2);
        const qint64 record = reader.integer(record_, 1, intMax);
        const QByteArrayView genus = reader.field(genus_);
        const QByteArrayView species = reader.field(species_);
        const QByteArrayView subsp = reader.field(subsp_);
        if (genus.isEmpty())
            reader.fail(tr("%1 je prázdné; doplňte rod").arg(NameColumn::genus));
        if (level == 0 && !(species.isEmpty() && subsp.isEmpty()))
            reader.fail(tr("řádek rodu (%1 0) musí mít prázdné %2 a %3")
                            .arg(NameColumn::level, NameColumn::species, NameColumn::subsp));
        if (level > 0 && species.isEmpty())
            reader.fail(tr("%1 je prázdné na řádku s %2 %3; doplňte druhové epiteton")
                            .arg(NameColumn::species, NameColumn::level)
                            .arg(level));
        if (level == 2 && subsp.isEmpty())
            reader.fail(tr("%1 je prázdné na řádku poddruhu (%2 2); doplňte jej")
                            .arg(NameColumn::subsp, NameColumn::level));

        writer.setInteger(level_, level);
        for (const int column : texts_)
            writer.setText(column, reader.field(column));
        writer.setInteger(page_, reader.integer(page_, intMin, intMax));
        writer.setInteger(record_, record);
        // The record number is the table's key: the table refuses it a second time.
        if (!writer.insertRow())
            reader.fail(tr("%1 %2 už má dřívější řádek; dejte každému řádku jiné číslo")
                            .arg(NameColumn::record)
                            .arg(record));
        noteName(reader, level);
        noteLine(reader.line());
        records_.push_back(int(record));
        noteParent(reader.line(), level, genus, species);
        ++counts_[size_t(level)];
    }

    // The rows of each level.
    const std::array<qint64, 3>& counts() const { return counts_; }

    // Checks the rows that waited for their parent, in the order of the file, once every row
    // is in the table and its indexes are built.
    void checkParents(const TsvReader& reader, TableWriter& writer) {
        const QString speciesRow =
            QStringLiteral("%1=1 AND %2=?1 AND %3=?2")
                .arg(NameColumn::level, NameColumn::genus, NameColumn::species);
        for (const Waiting& row : std::as_const(waiting_)) {
            if (row.level == 1 && !genera_.contains(row.genus))
                reader.fail(row.line,
                            tr("druh rodu „%1“, který nemá řádek rodu (%2 0); přidejte jej")
                                .arg(TsvReader::excerpt(row.genus), NameColumn::level));
            if (row.level == 2 && !writer.contains(speciesRow, {row.genus, row.species}))
                reader.fail(row.line,
                            tr("poddruh druhu „%1 %2“, který nemá řádek druhu (%3 1); přidejte "
                               "jej")
                                .arg(TsvReader::excerpt(row.genus), TsvReader::excerpt(row.species),
                                     NameColumn::level));
        }
        QList<Waiting>().swap(waiting_); // its memory goes with it
        QSet<QByteArray>().swap(genera_);
        checkNamesOnce(reader, writer);
        std::sort(records_.begin(), records_.end());
    }

    // Whether a row has the record number; once the parents are checked.
    bool hasRecord(qint64 record) const {
        return std::binary_search(records_.begin(), records_.end(), record);
    }

private:
    // A genus stands once in the name table. A species or subspecies may stand twice only
    // under other authors: real checklists hold such homonyms, and the list shows each with
    // its authors. A row keeps a hash of its name and its place in the file, eight bytes:
    // the import of a world checklist keeps them for each of its names.
    void noteName(const TsvReader& reader, qint64 level) {
        size_t hash = qHashMulti(0, level, reader.field(genus_));
        if (level > 0)
            hash = qHashMulti(hash, reader.field(species_), reader.field(subsp_),
                              reader.field(author0_), reader.field(author1_));
        const quint64 wide = hash;
        names_.push_back(quint64(quint32(wide ^ (wide >> 32))) << 32 | quint64(records_.size()));
    }

    // The rows mostly follow each other line by line; a row that does not (after a blank
    // line) starts a new run.
    void noteLine(qint64 line) {
        const qint64 row = qint64(records_.size());
        if (lineRuns_.empty() || line - lineRuns_.back().line != row - lineRuns_.back().row)
            lineRuns_.push_back({row, line});
    }

    qint64 lineOf(qint64 row) const {
        const LineRun& run =
            *std::prev(std::partition_point(lineRuns_.begin(), lineRuns_.end(),
                                            [row](const LineRun& at) { return at.row <= row; }));
        return run.line + row - run.row;
    }

    // Fails on the first line, in the order of the file, that repeats an earlier row's name,
    // naming the earlier line. Rows of equal hash are compared in the table, where their
    // texts are; sorted by hash and place, each group of equal hash is in the file's order.
    void checkNamesOnce(const TsvReader& reader, TableWriter& writer) {
        std::sort(names_.begin(), names_.end());
        // The condition that the row numbered ?1 has the same name as row ?2: a genus the
        // same genus, a lower rank the same texts.
        const auto same = [](const QStringList& columns) {
            const QString list = columns.join(',');
            return QStringLiteral("(%2)=(SELECT %2 FROM \"%3\" WHERE %1=?2)")
                .arg(NameColumn::record, list, TableSchema::names().tableFile);
        };
        const QString sameName =
            QStringLiteral("%1=?1 AND %2 AND (%3=0 OR %4)")
                .arg(NameColumn::record, same({NameColumn::level, NameColumn::genus}),
                     NameColumn::level,
                     same({NameColumn::species, NameColumn::subsp, NameColumn::author0,
                           NameColumn::author1}));
        const auto hashOf = [](quint64 name) { return name >> 32; };
        const auto rowOf = [](quint64 name) { return qint64(name & 0xFFFFFFFF); };
        std::optional<std::pair<qint64, qint64>> first; // a repeating row and its earlier one
        for (size_t start = 0, end = 0; start < names_.size(); start = end) {
            while (end < names_.size() && hashOf(names_[end]) == hashOf(names_[start]))
                ++end;
            for (size_t later = start + 1; later < end; ++later) {
                if (first && first->first < rowOf(names_[later]))
                    break;
                for (size_t earlier = start; earlier < later; ++earlier) {
                    if (writer.contains(
                            sameName,
                            {QByteArray::number(records_[size_t(rowOf(names_[later]))]),
                             QByteArray::number(records_[size_t(rowOf(names_[earlier]))])})) {
                        first = {rowOf(names_[later]), rowOf(names_[earlier])};
                        break;
                    }
                }
            }
        }
        std::vector<quint64>().swap(names_);
        if (first)
            reader.fail(lineOf(first->first),
                        tr("totéž jméno jako na řádku %1; jeden z obou řádků odstraňte")
                            .arg(lineOf(first->second)));
    }

    // Checks a row's parent where the rows before it tell, else keeps the row for the end.
    void noteParent(qint64 line, qint64 level, QByteArrayView genus, QByteArrayView species) {
        bool known = true;
        if (level == 0) {
            genera_.insert(genus.toByteArray());
        } else if (level == 1) {
            known = hasGenus(genus);
            lastSpecies_ = {genus.toByteArray(), species.toByteArray()};
        } else {
            // A subspecies mostly follows its species.
            known = genus == lastSpecies_.first && species == lastSpecies_.second;
        }
        if (!known)
            waiting_.append({line, level, genus.toByteArray(), species.toByteArray()});
    }

    bool hasGenus(QByteArrayView genus) {
        // The rows of a genus mostly follow each other.
        if (genus == lastGenus_)
            return true;
        QByteArray bytes = genus.toByteArray();
        if (!genera_.contains(bytes))
            return false;
        lastGenus_ = std::move(bytes);
        return true;
    }

    struct LineRun {
        qint64 row;
        qint64 line;
    };
    struct Waiting {
        qint64 line;
        qint64 level;
        QByteArray genus;
        QByteArray species;
    };
    const int level_;
    const int genus_;
    const int species_;
    const int subsp_;
    const int author0_;
    const int author1_;
    const int page_;
    const int record_;
    const QList<int> texts_; // the text columns, copied as they are
    std::array<qint64, 3> counts_{};
    // A row has eight fields, a digit in three of them, a letter in the genus.
    static constexpr qint64 shortestRowBytes = 12;
    static constexpr qint64 maxLine = (qint64(1) << 31) - 1;
    std::vector<int> records_;   // in the file's order until the names are checked, then sorted
    std::vector<quint64> names_; // a hash of the name, then the row's place in the file
    std::vector<LineRun> lineRuns_;
    QSet<QByteArray> genera_;
    QByteArray lastGenus_;                          // a genus known to have its row
    std::pair<QByteArray, QByteArray> lastSpecies_; // the genus and epithet of the last species
    QList<Waiting> waiting_;
};

void show(const PhaseProgress& progress, ImportPhase phase, const TsvReader& reader, qint64 rows) {
    if (progress)
        progress(phase, reader.bytesRead(), std::max<qint64>(reader.size(), 0), rows);
}

// Both files are looked for first: the synonyms' missing is told before the names are read.
void requireFiles(const QString& namesTsv, const QString& synonymsTsv) {
    const auto missing = [](const QString& file, const char* what) {
        throw ImportError(QCoreApplication::translate("TableImport", what).arg(file).toStdString());
    };
    if (!QFileInfo::exists(namesTsv))
        missing(namesTsv,
                QT_TRANSLATE_NOOP("TableImport", "%1: soubor jmen (první soubor) neexistuje; "
                                                 "zkontrolujte jeho jméno a cestu"));
    if (!QFileInfo::exists(synonymsTsv))
        missing(synonymsTsv,
                QT_TRANSLATE_NOOP("TableImport", "%1: soubor synonym (druhý soubor) neexistuje; "
                                                 "zkontrolujte jeho jméno a cestu"));
}

} // namespace

ImportReport importTables(const QString& namesTsv, const QString& synonymsTsv,
                          const QString& folder, const PhaseProgress& progress) {
    PairWriter pair(folder, TablePassword::programPassword);
    requireFiles(namesTsv, synonymsTsv);
    ImportReport report;

    // One table at a time: the name table is finished and closed, with its page cache and
    // its reader's buffer, before the synonyms are read.
    const TableSchema::Layout& nameLayout = TableSchema::names();
    NameRows names(nameLayout);
    {
        TsvReader nameReader(namesTsv, nameLayout);
        names.expect(nameReader.size());
        TableWriter& nameWriter = pair.names();
        qint64 rows = 0;
        while (nameReader.next()) {
            names.write(nameReader, nameWriter);
            if (++rows % progressStep == 0)
                show(progress, ImportPhase::Names, nameReader, rows);
        }
        nameWriter.buildIndexes();
        names.checkParents(nameReader, nameWriter);
        nameWriter.finish();
        show(progress, ImportPhase::Names, nameReader, rows);
    }
    report.names = names.counts();

    const TableSchema::Layout& synonymLayout = TableSchema::synonyms();
    const int synonym = positionIn(synonymLayout, SynonymColumn::synonym);
    const int accepted = positionIn(synonymLayout, SynonymColumn::acceptedRecord);
    TsvReader synonymReader(synonymsTsv, synonymLayout);
    TableWriter& synonymWriter = pair.synonyms();
    while (synonymReader.next()) {
        if (synonymReader.field(synonym).isEmpty())
            synonymReader.fail(
                QCoreApplication::translate("TableImport", "%1 je prázdné; doplňte synonymum")
                    .arg(SynonymColumn::synonym));
        const qint64 record = synonymReader.integer(accepted, 1, intMax);
        if (!names.hasRecord(record))
            synonymReader.fail(QCoreApplication::translate(
                                   "TableImport",
                                   "%1 %2 nevede k žádnému řádku souboru jmen; opravte je podle "
                                   "%3 přijatého jména")
                                   .arg(SynonymColumn::acceptedRecord)
                                   .arg(record)
                                   .arg(NameColumn::record));
        synonymWriter.setText(synonym, synonymReader.field(synonym));
        synonymWriter.setInteger(accepted, record);
        synonymWriter.insertRow(); // the synonym table has no key that a row could take twice
        if (++report.synonyms % progressStep == 0)
            show(progress, ImportPhase::Synonyms, synonymReader, report.synonyms);
    }
    synonymWriter.buildIndexes();
    synonymWriter.finish();
    show(progress, ImportPhase::Synonyms, synonymReader, report.synonyms);

    pair.replace();
    return report;
}

} // namespace TableImport
