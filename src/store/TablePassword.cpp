#include "store/TablePassword.h"

#include "store/EngineError.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace TablePassword {
namespace {

const QString recordTable = QStringLiteral("nardel_password");

QByteArray hashOf(const QByteArray& salt, const QString& password) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    hash.addData(password.toUtf8());
    return hash.result();
}

} // namespace

bool fits(const Record& record, const QString& password) {
    return hashOf(record.salt, password) == record.hash;
}

void protect(QSqlDatabase& db, const QString& schema, const QString& password) {
    QByteArray salt(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()),
                                          salt.size() / int(sizeof(quint32)));
    QSqlQuery query(db);
    const QString table = schema + '.' + recordTable;
    if (!query.exec(QStringLiteral("CREATE TABLE %1 (salt BLOB NOT NULL, hash BLOB NOT NULL)")
                        .arg(table)) ||
        !query.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?)").arg(table))) {
        throw EngineError(query.lastError().text(), db.databaseName());
    }
    query.addBindValue(salt);
    query.addBindValue(hashOf(salt, password));
    if (!query.exec())
        throw EngineError(query.lastError().text(), db.databaseName());
}

std::optional<Record> readRecord(QSqlDatabase& db, const QString& schema, const QString& file) {
    QSqlQuery query(db);
    if (!query.exec(
            QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE type='table' AND name='%2'")
                .arg(schema, recordTable)) ||
        !query.next()) {
        throw EngineError(query.lastError().text(), file);
    }
    if (query.value(0).toInt() == 0)
        return std::nullopt;
    if (!query.exec(QStringLiteral("SELECT salt, hash FROM %1.%2").arg(schema, recordTable)))
        throw EngineError(query.lastError().text(), file);
    if (!query.next())
        throw EngineError(EngineError::Cause::Password,
                          QCoreApplication::translate("EngineError", "Záznam hesla je prázdný."),
                          file);
    return Record{query.value(0).toByteArray(), query.value(1).toByteArray()};
}

} // namespace TablePassword
