#include "store/Statement.h"

#include <QCoreApplication>
#include <QLocale>
#include <charconv>
#include <cmath>
#include <sqlite3.h>

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
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : notConnectedText();
}

QString Statement::notConnectedText() {
    return QCoreApplication::translate(
        "Statement", "Tabulky jmen nejsou otevřené, program je při spuštění nenašel. Vytvořte je "
                     "příkazem nardel-import, nebo program spusťte s volbou --tables a složkou, "
                     "ve které tabulky jsou.");
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

void Statement::bindBlob(int index, QByteArrayView bytes) {
    sqlite3_bind_blob64(statement_, index, bytes.data(), sqlite3_uint64(bytes.size()),
                        SQLITE_TRANSIENT);
}

void Statement::bindInteger(int index, qint64 value) {
    sqlite3_bind_int64(statement_, index, value);
}

void Statement::bindNull(int index) {
    sqlite3_bind_null(statement_, index);
}

bool Statement::bindsAsText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        return false;
    default:
        return !value.isNull();
    }
}

void Statement::bind(int index, const QVariant& value) {
    if (bindsAsText(value))
        bindText(index, value.toString().toUtf8());
    else if (value.isNull())
        bindNull(index);
    else
        bindInteger(index, value.toLongLong());
}

int Statement::columnCount() const {
    return sqlite3_column_count(statement_);
}

QString Statement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(statement_, column));
}

std::optional<Statement::Declared> Statement::columnDeclared(int column) const {
    const char* schema = sqlite3_column_database_name(statement_, column);
    const char* table = sqlite3_column_table_name(statement_, column);
    const char* name = sqlite3_column_origin_name(statement_, column);
    const char* type = nullptr;
    int primaryKey = 0;
    if (!schema || !table || !name ||
        sqlite3_table_column_metadata(db_, schema, table, name, &type, nullptr, nullptr,
                                      &primaryKey, nullptr) != SQLITE_OK)
        return std::nullopt;
    return Declared{QString::fromUtf8(type), primaryKey != 0};
}

qint64 Statement::columnInteger(int column) const {
    return sqlite3_column_int64(statement_, column);
}

QString Statement::textOf(const Value& value) {
    switch (value.kind) {
    case Kind::Integer:
        return QString::number(value.integer);
    case Kind::Real:
        return QString::number(value.real, 'g', QLocale::FloatingPointShortest);
    case Kind::Text:
    case Kind::Blob:
        return QString::fromUtf8(value.bytes);
    case Kind::Null:
        break;
    }
    return QString();
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
