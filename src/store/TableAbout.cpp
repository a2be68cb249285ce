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

QHash<QString, QString> read(QSqlDatabase& db, const QString& schema, const QString& file) {
    QSqlQuery query(db);
    if (!query.exec(
            QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE type='table' AND name='%2'")
                .arg(schema, aboutTable)) ||
        !query.next())
        throw EngineError(query.lastError().text(), file);
    QHash<QString, QString> facts;
    if (query.value(0).toInt() == 0)
        return facts;
    if (!query.exec(QStringLiteral("SELECT name, value FROM %1.%2").arg(schema, aboutTable)))
        throw EngineError(query.lastError().text(), file);
    while (query.next())
        facts.insert(query.value(0).toString(), query.value(1).toString());
    return facts;
}

} // namespace TableAbout
