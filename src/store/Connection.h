#pragma once

#include <QString>
#include <optional>

struct sqlite3;

// One connection to the SQLite library: a database file, or one in memory (":memory:"). Every
// reader and writer of the tables goes through one, and its statements through Statement.
class Connection {
public:
    Connection() = default;
    ~Connection() { close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens `name`, creating a missing file; false on a failure, which errorText() tells. A
    // table that another program writes is waited for a few seconds before "database is
    // locked".
    bool open(const QString& name);
    bool isOpen() const { return db_ != nullptr; }
    // Closes the connection; every statement prepared on it must be finalized before.
    void close();
    sqlite3* handle() const { return db_; }

    // Runs SQL that gives no rows, statements separated by ';'; false on a failure.
    bool exec(const QString& sql);
    // Whether the database attached as `schema` holds a table named `table`; none on a
    // failure, which errorText() tells. The first read of a file: one that is no database
    // fails here.
    std::optional<bool> hasTable(const QString& schema, const QString& table);
    // The engine's text of the last failure.
    QString errorText() const;

private:
    sqlite3* db_ = nullptr;
    // The text of a failure to open, when there is no connection to ask.
    QString openError_;
};
