#include "store/Statement.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <charconv>
#include <cmath>
#include <sqlite3.h>

sqlite3* sqliteHandle(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

bool Statement::prepare(sqlite3* db, const QString& sql) {
    finalize();
    db_ = db;
    if (!db_)
        return false;
    const QByteArray text = sql.toUtf8();
    return sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &statement_, nullptr) ==
           SQLITE_OK;
}

void Statement::finalize() {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
}

QString Statement::errorText() const {
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_))
               : QStringLiteral("The database connection is not open");
}

bool Statement::failedOnConstraint() const {
    // The primary code: the connection may give extended ones.
    return db_ && (sqlite3_errcode(db_) & 0xff) == SQLITE_CONSTRAINT;
}

void Statement::reset() {
    sqlite3_reset(statement_);
}

int Statement::parameterIndex(const QString& name) const {
    return sqlite3_bind_parameter_index(statement_, name.toUtf8().constData());
}

void Statement::bindText(int index, QByteArrayView utf8) {
    sqlite3_bind_text64(statement_, index, utf8.data(), sqlite3_uint64(utf8.size()),
                        SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Statement::bindTextInPlace(int index, QByteArrayView utf8) {
    sqlite3_bind_text64(statement_, index, utf8.data(), sqlite3_uint64(utf8.size()), SQLITE_STATIC,
                        SQLITE_UTF8);
}

void Statement::bindInteger(int index, qint64 value) {
    sqlite3_bind_int64(statement_, index, value);
}

void Statement::bindNull(int index) {
    sqlite3_bind_null(statement_, index);
}

void Statement::bind(int index, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        bindInteger(index, value.toLongLong());
        break;
    default:
        if (value.isNull())
            bindNull(index);
        else
            bindText(index, value.toString().toUtf8());
    }
}

Statement::Step Statement::step() {
    switch (sqlite3_step(statement_)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Error;
    }
}

int Statement::columnCount() const {
    return sqlite3_column_count(statement_);
}

QString Statement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(statement_, column));
}

namespace {

Statement::Kind kindOf(int type) {
    switch (type) {
    case SQLITE_INTEGER:
        return Statement::Kind::Integer;
    case SQLITE_FLOAT:
        return Statement::Kind::Real;
    case SQLITE_TEXT:
        return Statement::Kind::Text;
    case SQLITE_BLOB:
        return Statement::Kind::Blob;
    default:
        return Statement::Kind::Null;
    }
}

} // namespace

Statement::Kind Statement::columnKind(int column) const {
    return kindOf(sqlite3_column_type(statement_, column));
}

qint64 Statement::columnInteger(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::columnReal(int column) const {
    return sqlite3_column_double(statement_, column);
}

Statement::Value Statement::column(int column) const {
    // One look-up of the column for all reads; the row is read on this thread only.
    sqlite3_value* const value = sqlite3_column_value(statement_, column);
    Value read;
    read.kind = kindOf(sqlite3_value_type(value));
    switch (read.kind) {
    case Kind::Integer:
        read.integer = sqlite3_value_int64(value);
        break;
    case Kind::Real:
        read.real = sqlite3_value_double(value);
        break;
    case Kind::Text:
    case Kind::Blob: {
        // The pointer first, then the size, as for columnBytes().
        const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
        read.bytes = QByteArrayView(bytes, sqlite3_value_bytes(value));
        break;
    }
    case Kind::Null:
        break;
    }
    return read;
}

QByteArrayView Statement::columnBytes(int column) const {
    // One look-up of the column; the pointer first, then the size: asking for the text may
    // convert the value.
    sqlite3_value* const value = sqlite3_column_value(statement_, column);
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
    return QByteArrayView(bytes, sqlite3_value_bytes(value));
}

std::optional<qint64> Statement::wholeNumber(const Value& value) {
    switch (value.kind) {
    case Kind::Integer:
        return value.integer;
    case Kind::Real:
        if (std::trunc(value.real) == value.real && std::abs(value.real) < 9.0e18)
            return qint64(value.real);
        return std::nullopt;
    case Kind::Text: {
        const QByteArrayView text = value.bytes.trimmed();
        qint64 number = 0;
        const auto [end, error] = std::from_chars(text.begin(), text.end(), number);
        if (text.isEmpty() || error != std::errc() || end != text.end())
            return std::nullopt;
        return number;
    }
    case Kind::Blob:
        return std::nullopt;
    case Kind::Null:
        break;
    }
    return 0;
}
