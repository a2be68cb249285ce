#include "store/ListQueries.h"

#include "store/TableSchema.h"

namespace {

namespace Column = TableSchema::NameColumn;

QStringList selectAtLevel(int level) {
    return {QStringLiteral("SELECT * FROM '") + TableSchema::names().tableFile + u'\'',
            QStringLiteral("WHERE (%1=%2)").arg(Column::level).arg(level)};
}
QString equalsParam(const QString& field, const QString& param) {
    return QStringLiteral("AND (") + field + QStringLiteral("= :") + param + ')';
}
QString orderBy(const QString& field) {
    return QStringLiteral("ORDER BY ") + field;
}

} // namespace

QStringList genusQueryLines() {
    return selectAtLevel(0) << orderBy(Column::genus);
}

QStringList speciesQueryLines() {
    return selectAtLevel(1) << equalsParam(Column::genus, QStringLiteral("genus"))
                            << orderBy(Column::species);
}

QStringList subspQueryLines() {
    return selectAtLevel(2) << equalsParam(Column::genus, QStringLiteral("genus"))
                            << equalsParam(Column::species, QStringLiteral("species"))
                            << orderBy(Column::subsp);
}

QStringList nameRecordLines() {
    return {
        QStringLiteral("SELECT %1 FROM '%2'").arg(Column::record, TableSchema::names().tableFile),
        QStringLiteral("WHERE %1 = :genus AND %2 = :species AND ")
            .arg(Column::genus, Column::species),
        QStringLiteral("((%1 = 1 AND :subsp = '') OR (%1 = 2 AND %2 = :subsp))")
            .arg(Column::level, Column::subsp)};
}

QStringList generaHoldingLines() {
    return {QStringLiteral("SELECT DISTINCT %1 FROM '%2'")
                .arg(Column::genus, TableSchema::names().tableFile),
            QStringLiteral("WHERE ((:species = '' AND %1 = 0 AND %2 = :genus) OR")
                .arg(Column::level, Column::genus),
            QStringLiteral("(%1 = 1 AND %2 = :species AND substr(%3, 1, length(:genus)) = :genus))")
                .arg(Column::level, Column::species, Column::genus)};
}

QStringList everyNameLines() {
    return {QStringLiteral("SELECT %1, %2, %3, %4, %5, %6, %7 FROM '%8'")
                .arg(Column::level, Column::genus, Column::species, Column::subsp, Column::author0,
                     Column::author1, Column::record, TableSchema::names().tableFile)};
}
