#include "store/TablePassword.h"

#include "store/Connection.h"
#include "store/EngineError.h"
#include "store/Statement.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRandomGenerator>

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

void protect(Connection& db, const QString& schema, const QString& password, const QString& file) {
    QByteArray salt(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()),
                                          salt.size() / int(sizeof(quint32)));
    const QString table = schema + '.' + recordTable;
    Statement insert;
    if (!db.exec(QStringLiteral("CREATE TABLE %1 (salt BLOB NOT NULL, hash BLOB NOT NULL)")
                     .arg(table)) ||
        !insert.prepare(db.handle(), QStringLiteral("INSERT INTO %1 VALUES (?1, ?2)").arg(table)))
        throw EngineError(db.errorText(), file);
    insert.bindBlob(1, salt);
    insert.bindBlob(2, hashOf(salt, password));
    if (insert.step() != Statement::Step::Done)
        throw EngineError(insert.errorText(), file);
}

std::optional<Record> readRecord(Connection& db, const QString& schema, const QString& file) {
    const std::optional<bool> protectedFile = db.hasTable(schema, recordTable);
    if (!protectedFile)
        throw EngineError(db.errorText(), file);
    if (!*protectedFile)
        return std::nullopt;
    Statement query;
    if (!query.prepare(db.handle(),
                       QStringLiteral("SELECT salt, hash FROM %1.%2").arg(schema, recordTable)))
        throw EngineError(query.errorText(), file);
    const Statement::Step step = query.step();
    if (step == Statement::Step::Error)
        throw EngineError(query.errorText(), file);
    if (step != Statement::Step::Row)
        throw EngineError(EngineError::Cause::Password,
                          QCoreApplication::translate("EngineError", "Záznam hesla je prázdný."),
                          file);
    return Record{query.columnBytes(0).toByteArray(), query.columnBytes(1).toByteArray()};
}

} // namespace TablePassword
