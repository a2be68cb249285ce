#include "store/NameSource.h"

#include "store/EngineError.h"
#include "store/Statement.h"
#include "store/TableAbout.h"
#include "store/TablePassword.h"

#include <QCoreApplication>
#include <QFile>
#include <qplatformdefs.h>

NameSource::~NameSource() {
    // A statement left unfinalized would keep the connection from closing.
    prepared_.clear();
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
    if (!db_.open(QStringLiteral(":memory:")))
        throw EngineError(db_.errorText(), param(QStringLiteral("PATH")));
}

void NameSource::connectToFolder(const QString& folder) {
    setParam(QStringLiteral("PATH"), folder);
    connect();
    addPassword(TablePassword::programPassword);
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
    if (!statement->prepare(db_.handle(), sql))
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
    const char* kind = S_ISREG(status.st_mode)   ? nullptr
                       : S_ISDIR(status.st_mode) ? QT_TRANSLATE_NOOP("NameSource", "Je tam složka.")
                       : S_ISFIFO(status.st_mode)
                           ? QT_TRANSLATE_NOOP("NameSource", "Je tam pojmenovaná roura (FIFO).")
                       : S_ISSOCK(status.st_mode)
                           ? QT_TRANSLATE_NOOP("NameSource", "Je tam soket.")
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
    Statement attachFile;
    if (!attachFile.prepare(db_.handle(), QStringLiteral("ATTACH DATABASE ?1 AS %1").arg(schema)))
        throw EngineError(attachFile.errorText(), path);
    attachFile.bindText(1, path.toUtf8());
    if (attachFile.step() != Statement::Step::Done)
        throw EngineError(attachFile.errorText(), path);
    try {
        checkAttached(schema, tableFile, path);
    } catch (const EngineError&) {
        db_.exec(QStringLiteral("DETACH DATABASE %1").arg(schema));
        throw;
    }
    schemaOfTable_.insert(tableFile, schema);
    return schema;
}

void NameSource::checkAttached(const QString& schema, const QString& tableFile,
                               const QString& path) {
    const std::optional<bool> hasTable = db_.hasTable(schema, tableFile);
    if (!hasTable)
        throw EngineError(db_.errorText(), path);
    if (!*hasTable)
        throw EngineError(
            EngineError::Cause::NoTable,
            QCoreApplication::translate("NameSource", "Chybí tabulka %1.").arg(tableFile), path);

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
