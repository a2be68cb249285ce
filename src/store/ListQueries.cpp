#include "store/ListQueries.h"

namespace {
QString selectAllFrom(const QString& tableName) {
    return QStringLiteral("SELECT * FROM '") + tableName + '\'';
}
QString equalsParam(const QString& field, const QString& param) {
    return QStringLiteral("AND (") + field + QStringLiteral("= :") + param + ')';
}
QString orderBy(const QString& field) {
    return QStringLiteral("ORDER BY ") + field;
}
} // namespace

QStringList genusQueryLines(const QString& tableName, const QString& genusField) {
    return {selectAllFrom(tableName), QStringLiteral("WHERE (LEVEL_=0)"), orderBy(genusField)};
}

QStringList speciesQueryLines(const QString& tableName, const QString& genusField,
                              const QString& speciesField) {
    return {selectAllFrom(tableName), QStringLiteral("WHERE (LEVEL_=1)"),
            equalsParam(genusField, QStringLiteral("genus")), orderBy(speciesField)};
}

QStringList subspQueryLines(const QString& tableName, const QString& genusField,
                            const QString& speciesField, const QString& subspField) {
    return {selectAllFrom(tableName), QStringLiteral("WHERE (LEVEL_=2)"),
            equalsParam(genusField, QStringLiteral("genus")),
            equalsParam(speciesField, QStringLiteral("species")), orderBy(subspField)};
}
