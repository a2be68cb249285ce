#include "store/TableSchema.h"

namespace TableSchema {
namespace {
using Type = Column::Type;
}

const Layout& names() {
    // The list queries select one level by exact texts and order by the next field, so one
    // index on (LEVEL_, GENUS, SPECIES, SUBSP) serves all three without sorting. It holds the
    // other columns too, so that a list reads consecutive index pages and never the table
    // rows, which lie in the order of the input.
    static const Layout layout{
        QStringLiteral("plantnames.db"),
        {{NameColumn::level, Type::Integer},
         {NameColumn::genus, Type::Text},
         {NameColumn::species, Type::Text},
         {NameColumn::subsp, Type::Text},
         {NameColumn::author0, Type::Text},
         {NameColumn::author1, Type::Text},
         {NameColumn::page, Type::Integer},
         {NameColumn::record, Type::Integer}},
        NameColumn::record,
        {QStringLiteral(R"(CREATE INDEX %1.names_by_level ON "plantnames.db" )"
                        R"((LEVEL_, GENUS, SPECIES, SUBSP, AUTOR0, AUTOR1, PAGE))")}};
    return layout;
}

const Layout& synonyms() {
    // Synonyms are searched by their beginning without regard to letter case (LIKE 'x%').
    static const Layout layout{
        QStringLiteral("syns.db"),
        {{SynonymColumn::synonym, Type::Text}, {SynonymColumn::acceptedRecord, Type::Integer}},
        QString(),
        {QStringLiteral(R"(CREATE INDEX %1.syns_by_syn ON "syns.db" (syn COLLATE NOCASE))")}};
    return layout;
}

int Layout::position(QStringView name) const {
    for (int column = 0; column < columns.size(); ++column) {
        if (columns[column].name.compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

QString createTable(const Layout& layout, const QString& schema) {
    QStringList columns;
    for (const Column& column : layout.columns) {
        QString definition = column.name;
        if (column.type == Type::Integer)
            definition += column.name == layout.key ? QStringLiteral(" INTEGER PRIMARY KEY")
                                                    : QStringLiteral(" INTEGER");
        else
            definition += QStringLiteral(" TEXT");
        columns.append(definition);
    }
    return QStringLiteral("CREATE TABLE %1.\"%2\" (%3)")
        .arg(schema, layout.tableFile, columns.join(QStringLiteral(", ")));
}

QStringList createIndexes(const Layout& layout, const QString& schema) {
    QStringList statements;
    for (const QString& index : layout.indexes)
        statements.append(index.arg(schema));
    return statements;
}

} // namespace TableSchema
