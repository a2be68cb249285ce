#include "TableImport.h"

#include "TablePassword.h"
#include "TableSchema.h"
#include "TableWriter.h"
#include "TsvReader.h"

#include <QHash>
#include <QSet>
#include <limits>

namespace TableImport {
namespace {

constexpr qint64 progressStep = 100000;
constexpr qint64 intMax = std::numeric_limits<int>::max();
constexpr qint64 intMin = std::numeric_limits<int>::min();

// Column positions in the layouts.
enum NameColumn { Level, Genus, Species, Subsp, Author0, Author1, Page, Record };
enum SynonymColumn { Synonym, AcceptedRecord };

QString speciesKey(const QString& genus, const QString& species) { return genus + '\t' + species; }

// Checks the rows of the name table: the level and the fields it needs, whole numbers, unique
// record numbers, and that every species has its genus row and every subspecies its species
// row (the lists link the levels by these texts alone).
class NameRows {
public:
    void check(const TsvReader& reader, const QStringList& row, QVariantList& values) {
        const qint64 level = reader.integer(row[Level], QStringLiteral("LEVEL_"), 0, 2);
        const qint64 record = reader.integer(row[Record], QStringLiteral("PN_REC"), 1, intMax);
        if (row[Genus].isEmpty())
            reader.fail(QStringLiteral("GENUS is empty"));
        if (level == 0 && !(row[Species].isEmpty() && row[Subsp].isEmpty()))
            reader.fail(QStringLiteral("a genus row (LEVEL_ 0) must have empty SPECIES and SUBSP"));
        if (level > 0 && row[Species].isEmpty())
            reader.fail(QStringLiteral("SPECIES is empty on a row of LEVEL_ %1").arg(level));
        if (level == 2 && row[Subsp].isEmpty())
            reader.fail(QStringLiteral("SUBSP is empty on a subspecies row (LEVEL_ 2)"));
        if (records_.contains(record))
            reader.fail(QStringLiteral("PN_REC %1 is used by an earlier row").arg(record));
        records_.insert(record);

        if (level == 0)
            genera_.insert(row[Genus]);
        else if (level == 1)
            species_.insert(speciesKey(row[Genus], row[Species]));
        if (level > 0)
            parents_.append({reader.line(), level, row[Genus], row[Species]});

        values = {level,       row[Genus],   row[Species], row[Subsp],
                  row[Author0], row[Author1], reader.integer(row[Page], QStringLiteral("PAGE"),
                                                              intMin, intMax),
                  record};
    }

    void checkParents(const TsvReader& reader) const {
        for (const Parent& parent : parents_) {
            if (parent.level == 1 && !genera_.contains(parent.genus))
                reader.fail(parent.line, QStringLiteral("species of genus '%1', which has no "
                                                        "genus row (LEVEL_ 0)")
                                             .arg(parent.genus));
            if (parent.level == 2 && !species_.contains(speciesKey(parent.genus, parent.species)))
                reader.fail(parent.line, QStringLiteral("subspecies of '%1 %2', which has no "
                                                        "species row (LEVEL_ 1)")
                                             .arg(parent.genus, parent.species));
        }
    }

    const QSet<qint64>& records() const { return records_; }

private:
    struct Parent {
        qint64 line;
        qint64 level;
        QString genus;
        QString species;
    };
    QSet<qint64> records_;
    QSet<QString> genera_;
    QSet<QString> species_;
    QList<Parent> parents_;
};

void report(const Progress& progress, const QString& file, qint64 rows) {
    if (progress)
        progress(file, rows);
}

} // namespace

void importTables(const QString& namesTsv, const QString& synonymsTsv, const QString& folder,
                  const Progress& progress) {
    const QString& password = TablePassword::programPassword;
    QStringList row;
    QVariantList values;

    NameRows names;
    TsvReader nameReader(namesTsv, TableSchema::names());
    TableWriter nameWriter(folder, TableSchema::names(), password);
    qint64 rows = 0;
    while (nameReader.next(row)) {
        names.check(nameReader, row, values);
        nameWriter.insert(values);
        if (++rows % progressStep == 0)
            report(progress, namesTsv, rows);
    }
    names.checkParents(nameReader);
    report(progress, namesTsv, rows);

    TsvReader synonymReader(synonymsTsv, TableSchema::synonyms());
    TableWriter synonymWriter(folder, TableSchema::synonyms(), password);
    rows = 0;
    while (synonymReader.next(row)) {
        if (row[Synonym].isEmpty())
            synonymReader.fail(QStringLiteral("syn is empty"));
        const qint64 record =
            synonymReader.integer(row[AcceptedRecord], QStringLiteral("pn_rec"), 1, intMax);
        if (!names.records().contains(record))
            synonymReader.fail(
                QStringLiteral("pn_rec %1 names no row of the name table").arg(record));
        synonymWriter.insert({row[Synonym], record});
        if (++rows % progressStep == 0)
            report(progress, synonymsTsv, rows);
    }
    report(progress, synonymsTsv, rows);

    nameWriter.finish();
    synonymWriter.finish();
    nameWriter.replace();
    synonymWriter.replace();
}

} // namespace TableImport
