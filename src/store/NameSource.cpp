#include "store/NameSource.h"

#include "store/EngineError.h"
#include "store/Statement.h"
#include "store/TableAbout.h"
#include "store/TablePassword.h"

#include <QCoreApplication>
#include <QAtomicInt>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <qplatformdefs.h>

namespace {
QString uniqueConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("NameSource-%1").arg(counter.fetchAndAddRelaxed(1));
}
} // namespace

NameSource::~NameSource() {
    const QString name = db_.connectionName();
    if (name.isEmpty())
        return;
    // A statement left unfinalized would keep the connection from closing.
    prepared_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

QString NameSource::param(const QString& name) const {
    return params_.value(name);
}

void NameSource::setParam(const QString& name, const QString& value) {
    params_.insert(name, value);
}

void NameSource::connect() {
    if (connected())
        return;
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), uniqueConnectionName());
    db_.setDatabaseName(QStringLiteral(":memory:"));
    if (!db_.open())
        throw EngineError(db_.lastError().text(), param(QStringLiteral("PATH")));
}

void NameSource::addPassword(const QString& password) {
    if (!passwords_.contains(password))
        passwords_.append(password);
}

QString NameSource::tablePath(const QString& tableFile) const {
    return param(QStringLiteral("PATH")) + tableFile;
}

Statement& NameSource::prepared(const QString& sql, const QString& file) {
    const auto known = prepared_.find(sql);
    if (known != prepared_.end())
        return *known->second;
    requireConnected(file);
    auto statement = std::make_unique<Statement>();
    if (!statement->prepare(sqliteHandle(db_), sql))
        throw EngineError(statement->errorText(), file);
    return *prepared_.emplace(sql, std::move(statement)).first->second;
}

void NameSource::requireConnected(const QString& file) const {
    if (!connected())
        throw EngineError(Statement::notConnectedText(), file);
}

void NameSource::checkIsFile(const QString& path) {
    QT_STATBUF status;
    if (QT_STAT(QFile::encodeName(path).constData(), &status) != 0)
        throw EngineError(EngineError::Cause::Missing, QString(), path);
    const char* kind = S_ISREG(status.st_mode)    ? nullptr
                       : S_ISDIR(status.st_mode)  ? QT_TRANSLATE_NOOP("NameSource", "Je tam složka.")
                       : S_ISFIFO(status.st_mode) ? QT_TRANSLATE_NOOP("NameSource",
                                                                      "Je tam pojmenovaná roura (FIFO).")
                       : S_ISSOCK(status.st_mode) ? QT_TRANSLATE_NOOP("NameSource", "Je tam soket.")
                                                  : QT_TRANSLATE_NOOP("NameSource", "Je tam zařízení.");
    if (kind)
        throw EngineError(EngineError::Cause::NotAFile,
                          QCoreApplication::translate("NameSource", kind), path);
}

QString NameSource::attach(const QString& tableFile) {
    const auto known = schemaOfTable_.constFind(tableFile);
    if (known != schemaOfTable_.constEnd())
        return *known;
    const QString path = tablePath(tableFile);
    requireConnected(path);
    // ATTACH would create a missing file, and would wait on a pipe forever.
    checkIsFile(path);

    const QString schema = QStringLiteral("t%1").arg(schemaOfTable_.size());
    QSqlQuery query(db_);
    if (!query.prepare(QStringLiteral("ATTACH DATABASE ? AS %1").arg(schema)))
        throw EngineError(query.lastError().text(), path);
    query.addBindValue(path);
    if (!query.exec())
        throw EngineError(query.lastError().text(), path);
    try {
        checkAttached(schema, tableFile, path);
    } catch (const EngineError&) {
        query.exec(QStringLiteral("DETACH DATABASE %1").arg(schema));
        throw;
    }
    schemaOfTable_.insert(tableFile, schema);
    return schema;
}

void NameSource::checkAttached(const QString& schema, const QString& tableFile,
                               const QString& path) {
    // Reading the schema is the first read of the file: a file that is no database fails here.
    QSqlQuery query(db_);
    if (!query.prepare(QStringLiteral("SELECT count(*) FROM %1.sqlite_master "
                                      "WHERE type='table' AND name=?")
                           .arg(schema)))
        throw EngineError(query.lastError().text(), path);
    query.addBindValue(tableFile);
    if (!query.exec() || !query.next())
        throw EngineError(query.lastError().text(), path);
    if (query.value(0).toInt() == 0)
        throw EngineError(EngineError::Cause::NoTable,
                          QCoreApplication::translate("NameSource", "Chybí tabulka %1.").arg(tableFile),
                          path);

    const auto record = TablePassword::readRecord(db_, schema, path);
    if (!record)
        return;
    for (const QString& password : passwords_) {
        if (TablePassword::fits(*record, password))
            return;
    }
    throw EngineError(EngineError::Cause::Password, QString(), path);
}

QHash<QString, QString> NameSource::about(const QString& tableFile) {
    const QString schema = attach(tableFile);
    return TableAbout::read(db_, schema, tablePath(tableFile));
}
