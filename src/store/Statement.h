#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <optional>

#include <sqlite3.h>

// A prepared SQLite statement. Rows are read straight from SQLite as UTF-8, which is where
// the list fills and the import spend their time, with no conversion through UTF-16.
class Statement {
public:
    Statement() = default;
    ~Statement() { finalize(); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // False on an error; errorText() then tells it.
    bool prepare(sqlite3* db, const QString& sql);
    bool isPrepared() const { return statement_ != nullptr; }
    void finalize();
    QString errorText() const;
    // The failure of a statement on a connection that was never opened: the program found no
    // name tables at its start.
    static QString notConnectedText();
    // Whether the last step failed because the row broke a constraint (a key taken twice).
    bool failedOnConstraint() const;

    // Rewinds the statement for a new run; the bindings stay until they are bound again.
    void reset();
    // The position of a named parameter (":genus"), 0 when the statement has none of that name.
    int parameterIndex(const QString& name) const;
    void bindText(int index, QByteArrayView utf8);
    // Binds without copying: the bytes must stay valid until the statement has run.
    void bindTextInPlace(int index, QByteArrayView utf8);
    void bindBlob(int index, QByteArrayView bytes);
    void bindInteger(int index, qint64 value);
    void bindNull(int index);
    // Binds a value by its type: text as UTF-8, whole numbers as integers, null as NULL.
    void bind(int index, const QVariant& value);
    // Whether bind() binds the value as text.
    static bool bindsAsText(const QVariant& value);

    enum class Step { Row, Done, Error };
    // Inline, as are the column reads below: they run for every row that a list reads.
    Step step() {
        const int result = sqlite3_step(statement_);
        return result == SQLITE_ROW ? Step::Row : result == SQLITE_DONE ? Step::Done : Step::Error;
    }

    int columnCount() const;
    QString columnName(int column) const;
    // What the table behind a result column declares of it: its type as written, and whether
    // the column belongs to the table's primary key. Read from the schema the connection holds,
    // without reading the file; none for a result column that is no table's column.
    struct Declared {
        QString type;
        bool primaryKey = false;
    };
    std::optional<Declared> columnDeclared(int column) const;
    // The kinds of SQLite's values.
    enum class Kind : quint8 { Null, Integer, Real, Text, Blob };
    // A column of the current row read as a whole number, or as the UTF-8 bytes that SQLite
    // holds, valid until the next step.
    qint64 columnInteger(int column) const;
    QByteArrayView columnBytes(int column) const {
        return bytesOf(sqlite3_column_value(statement_, column));
    }
    // A column of the current row read in one go: its kind and the value of that kind
    // (bytes for text and blobs, valid until the next step).
    struct Value {
        Kind kind = Kind::Null;
        qint64 integer = 0;
        double real = 0;
        QByteArrayView bytes;
    };
    Value column(int column) const {
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
        case Kind::Blob:
            read.bytes = bytesOf(value);
            break;
        case Kind::Null:
            break;
        }
        return read;
    }
    // The kind of one of SQLite's fundamental types.
    static Kind kindOf(int type) {
        static_assert(int(Kind::Integer) == SQLITE_INTEGER && int(Kind::Real) == SQLITE_FLOAT &&
                      int(Kind::Text) == SQLITE_TEXT && int(Kind::Blob) == SQLITE_BLOB);
        return type >= SQLITE_INTEGER && type <= SQLITE_BLOB ? Kind(type) : Kind::Null;
    }
    // A value as a whole number: integers, reals without a fraction and texts that spell a
    // whole number (blanks around it allowed); NULL reads as 0; anything else as none.
    static std::optional<qint64> wholeNumber(const Value& value);
    // A value as it is shown and edited: NULL as empty text, a real in the fewest digits
    // that read back as the same real (0.1, not 0.10000000000000001).
    static QString textOf(const Value& value);

private:
    // A value's bytes: the pointer first, then the size, as asking for the text may convert it.
    static QByteArrayView bytesOf(sqlite3_value* value) {
        const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
        return QByteArrayView(bytes, sqlite3_value_bytes(value));
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};
