#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class Connection;

// A protected table file holds a one-row table with a random salt and the SHA-256 hash of
// salt and password. The engine refuses to attach such a file unless the session holds a
// password whose hash fits.
namespace TablePassword {

// The password of the program's own table files.
inline const QString programPassword = QStringLiteral("tarvel1997");

struct Record {
    QByteArray salt;
    QByteArray hash;
};

bool fits(const Record& record, const QString& password);

// Writes the record into the database attached (or opened) as `schema`. Throws EngineError
// naming `file`.
void protect(Connection& db, const QString& schema, const QString& password, const QString& file);

// The record of the database attached as `schema`; none when the file is not protected.
// Throws EngineError (naming `file`) when the record cannot be read.
std::optional<Record> readRecord(Connection& db, const QString& schema, const QString& file);

} // namespace TablePassword
