#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The layout of the program's two table files: the name table, one row per genus, species
// and subspecies, and the synonym table, each synonym pointing at the row of its accepted
// name by PN_REC.
namespace TableSchema {

namespace NameColumn {
inline const QString level = QStringLiteral("LEVEL_");
inline const QString genus = QStringLiteral("GENUS");
inline const QString species = QStringLiteral("SPECIES");
inline const QString subsp = QStringLiteral("SUBSP");
inline const QString author0 = QStringLiteral("AUTOR0");
inline const QString author1 = QStringLiteral("AUTOR1");
inline const QString page = QStringLiteral("PAGE");
inline const QString record = QStringLiteral("PN_REC");
} // namespace NameColumn

namespace SynonymColumn {
inline const QString synonym = QStringLiteral("syn");
inline const QString acceptedRecord = QStringLiteral("pn_rec");
} // namespace SynonymColumn

struct Column {
    enum class Type { Integer, Text };
    QString name;
    Type type;
};

struct Layout {
    QString tableFile;
    QList<Column> columns; // in the order of the table's columns
    QString key;           // an integer column that identifies the row, or empty
    QStringList indexes;   // CREATE INDEX statements; %1 stands for the schema

    // The position of a column by name, without regard to letter case as in SQL; -1 when the
    // layout has no such column.
    int position(QStringView name) const;
};

const Layout& names();
const Layout& synonyms();

// CREATE TABLE for the layout inside `schema`.
QString createTable(const Layout& layout, const QString& schema);
QStringList createIndexes(const Layout& layout, const QString& schema);

} // namespace TableSchema
