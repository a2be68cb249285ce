#pragma once

#include "store/Connection.h"
#include "store/Statement.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

// The database connection through which every query of the program reaches the table
// files. It holds an in-memory main database; each table file that a query names is
// attached to it once, after its password has been checked against the session's.
class NameSource {
public:
    NameSource() = default;
    ~NameSource();
    NameSource(const NameSource&) = delete;
    NameSource& operator=(const NameSource&) = delete;

    // The connection's parameters by name. PATH is the table folder, ending in '/'.
    QString param(const QString& name) const;
    void setParam(const QString& name, const QString& value);

    void connect();
    bool connected() const { return db_.isOpen(); }
    // Connects to the table files in `folder` (ending in '/') as the program opens them: with
    // the program's password in the session.
    void connectToFolder(const QString& folder);
    // Adds a table password to the session; it stays for the connection's life.
    void addPassword(const QString& password);

    // The full path of a table file in the table folder.
    QString tablePath(const QString& tableFile) const;
    // Makes a table file known to the connection (once) and returns the name of the schema it
    // is attached as. Throws EngineError naming the file when the file is missing, is no
    // database, holds no table of its own name, or is protected by a password the session
    // does not hold.
    QString attach(const QString& tableFile);

    // The facts that a table file keeps about itself (see TableAbout), by name.
    // Throws EngineError as attach() does.
    QHash<QString, QString> about(const QString& tableFile);

    // The statement of `sql` prepared on the connection once and kept for its life, so that
    // work done again (the editing window opened anew) does not parse its SQL again. Who runs
    // it resets it after. Throws EngineError naming `file` when the engine refuses the SQL.
    Statement& prepared(const QString& sql, const QString& file);

    Connection& connection() { return db_; }

private:
    void requireConnected(const QString& file) const;
    static void checkIsFile(const QString& path);
    void checkAttached(const QString& schema, const QString& tableFile, const QString& path);

    QHash<QString, QString> params_;
    QStringList passwords_;
    QHash<QString, QString> schemaOfTable_;
    std::map<QString, std::unique_ptr<Statement>> prepared_;
    Connection db_;
};
