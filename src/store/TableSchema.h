#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The layout of the program's two table files: the name table, one row per genus, species
// and subspecies, and the synonym table, each synonym pointing at the row of its accepted
// name by PN_REC.
namespace TableSchema {

struct Column {
    enum class Type { Integer, Text };
    QString name;
    Type type;
};

struct Layout {
    QString tableFile;
    QList<Column> columns;
    QString key;         // an integer column that identifies the row, or empty
    QStringList indexes; // CREATE INDEX statements; %1 stands for the schema
};

const Layout& names();
const Layout& synonyms();

// CREATE TABLE for the layout inside `schema`.
QString createTable(const Layout& layout, const QString& schema);
QStringList createIndexes(const Layout& layout, const QString& schema);

} // namespace TableSchema
