#include "store/Connection.h"

#include "store/Statement.h"

#include <sqlite3.h>

namespace {
// As long as a user waits for another program's write to end before the table is called
// locked.
constexpr int busyTimeoutMs = 5000;
} // namespace

bool Connection::open(const QString& name) {
    close();
    const int result =
        sqlite3_open_v2(name.toUtf8().constData(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (result != SQLITE_OK) {
        openError_ = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(result));
        close();
        return false;
    }
    sqlite3_busy_timeout(db_, busyTimeoutMs);
    return true;
}

void Connection::close() {
    // A statement not yet finalized keeps the connection until it is.
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool Connection::exec(const QString& sql) {
    return db_ &&
           sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<bool> Connection::hasTable(const QString& schema, const QString& table) {
    Statement query;
    if (!query.prepare(db_, QStringLiteral("SELECT count(*) FROM \"%1\".sqlite_master "
                                           "WHERE type='table' AND name=?1")
                                .arg(schema)))
        return std::nullopt;
    query.bindText(1, table.toUtf8());
    if (query.step() != Statement::Step::Row)
        return std::nullopt;
    return query.columnInteger(0) != 0;
}

QString Connection::errorText() const {
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : openError_;
}
