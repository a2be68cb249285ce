#include "store/TableAbout.h"

#include "store/EngineError.h"

#include <QSqlError>
#include <QSqlQuery>

namespace TableAbout {
namespace {
const QString aboutTable = QStringLiteral("nardel_about");
} // namespace

void write(QSqlDatabase& db, const QString& schema, const Facts& facts, const QString& file) {
    QSqlQuery query(db);
    const QString table = schema + '.' + aboutTable;
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 "
                                   "(name TEXT PRIMARY KEY, value TEXT NOT NULL)")
                        .arg(table)) ||
        !query.prepare(QStringLiteral("INSERT OR REPLACE INTO %1 VALUES (?, ?)").arg(table)))
        throw EngineError(query.lastError().text(), file);
    for (const auto& [name, value] : facts) {
        query.addBindValue(name);
        query.addBindValue(value);
        if (!query.exec())
            throw EngineError(query.lastError().text(), file);
    }
}

QString read(QSqlDatabase& db, const QString& schema, const QString& name, const QString& file) {
    QSqlQuery query(db);
    if (!query.exec(
            QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE type='table' AND name='%2'")
                .arg(schema, aboutTable)) ||
        !query.next())
        throw EngineError(query.lastError().text(), file);
    if (query.value(0).toInt() == 0)
        return {};
    if (!query.prepare(QStringLiteral("SELECT value FROM %1.%2 WHERE name=?").arg(schema, aboutTable)))
        throw EngineError(query.lastError().text(), file);
    query.addBindValue(name);
    if (!query.exec())
        throw EngineError(query.lastError().text(), file);
    return query.next() ? query.value(0).toString() : QString();
}

} // namespace TableAbout
