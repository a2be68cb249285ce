#include "store/TableImport.h"

#include "store/TablePassword.h"
#include "store/TableSchema.h"
#include "store/TableWriter.h"
#include "store/TsvReader.h"

#include <QByteArray>
#include <QList>
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

QByteArray speciesKey(QByteArrayView genus, QByteArrayView species) {
    return genus.toByteArray() + '\t' + species.toByteArray();
}

// Checks and writes the rows of the name table: the level and the fields it needs, whole
// numbers, unique record numbers, and that every species has its genus row and every
// subspecies its species row (the lists link the levels by these texts alone).
class NameRows {
public:
    void write(const TsvReader& reader, TableWriter& writer) {
        const qint64 level = reader.integer(Level, 0, 2);
        const qint64 record = reader.integer(Record, 1, intMax);
        const QByteArrayView genus = reader.field(Genus);
        const QByteArrayView species = reader.field(Species);
        if (genus.isEmpty())
            reader.fail(QStringLiteral("GENUS is empty"));
        if (level == 0 && !(species.isEmpty() && reader.field(Subsp).isEmpty()))
            reader.fail(QStringLiteral("a genus row (LEVEL_ 0) must have empty SPECIES and SUBSP"));
        if (level > 0 && species.isEmpty())
            reader.fail(QStringLiteral("SPECIES is empty on a row of LEVEL_ %1").arg(level));
        if (level == 2 && reader.field(Subsp).isEmpty())
            reader.fail(QStringLiteral("SUBSP is empty on a subspecies row (LEVEL_ 2)"));
        if (records_.contains(record))
            reader.fail(QStringLiteral("PN_REC %1 is used by an earlier row").arg(record));
        records_.insert(record);

        if (level == 0) {
            genera_.insert(genus.toByteArray());
        } else {
            QByteArray key = speciesKey(genus, species);
            if (level == 1)
                species_.insert(key);
            parents_.append({reader.line(), level, std::move(key)});
        }

        writer.setInteger(Level, level);
        for (const int column : {Genus, Species, Subsp, Author0, Author1})
            writer.setText(column, reader.field(column));
        writer.setInteger(Page, reader.integer(Page, intMin, intMax));
        writer.setInteger(Record, record);
        writer.insertRow();
    }

    void checkParents(const TsvReader& reader) const {
        for (const Parent& parent : parents_) {
            const QByteArray genus = parent.key.first(parent.key.indexOf('\t'));
            if (parent.level == 1 && !genera_.contains(genus))
                reader.fail(parent.line,
                            QStringLiteral("species of genus '%1', which has no genus row "
                                           "(LEVEL_ 0)")
                                .arg(QString::fromUtf8(genus)));
            if (parent.level == 2 && !species_.contains(parent.key))
                reader.fail(parent.line,
                            QStringLiteral("subspecies of '%1', which has no species row "
                                           "(LEVEL_ 1)")
                                .arg(QString::fromUtf8(parent.key).replace('\t', ' ')));
        }
    }

    const QSet<qint64>& records() const { return records_; }

private:
    struct Parent {
        qint64 line;
        qint64 level;
        QByteArray key; // genus TAB species
    };
    QSet<qint64> records_;
    QSet<QByteArray> genera_;
    QSet<QByteArray> species_;
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

    NameRows names;
    TsvReader nameReader(namesTsv, TableSchema::names());
    TableWriter nameWriter(folder, TableSchema::names(), password);
    qint64 rows = 0;
    while (nameReader.next()) {
        names.write(nameReader, nameWriter);
        if (++rows % progressStep == 0)
            report(progress, namesTsv, rows);
    }
    names.checkParents(nameReader);
    report(progress, namesTsv, rows);

    TsvReader synonymReader(synonymsTsv, TableSchema::synonyms());
    TableWriter synonymWriter(folder, TableSchema::synonyms(), password);
    rows = 0;
    while (synonymReader.next()) {
        if (synonymReader.field(Synonym).isEmpty())
            synonymReader.fail(QStringLiteral("syn is empty"));
        const qint64 record = synonymReader.integer(AcceptedRecord, 1, intMax);
        if (!names.records().contains(record))
            synonymReader.fail(
                QStringLiteral("pn_rec %1 names no row of the name table").arg(record));
        synonymWriter.setText(Synonym, synonymReader.field(Synonym));
        synonymWriter.setInteger(AcceptedRecord, record);
        synonymWriter.insertRow();
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
