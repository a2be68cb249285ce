#pragma once

#include "store/BrowseRecord.h"
#include "store/Statement.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>
#include <utility>

class NameSource;

// A field of the table as the editing window shows it.
struct BrowseField {
    QString name;
    bool integer = false; // declared as a whole-number field
    bool key = false;     // the whole-number key that is the record's identity in the file
};

// What a user typed into the fields of one record, field by field; untouched fields hold none.
using TypedFields = QList<std::optional<QString>>;

// A record just stored: its identity, and its position when it is new or its identity changed
// (then it may stand elsewhere in the table's order).
struct StoredRecord {
    qint64 id = 0;
    std::optional<qint64> position;
};

// The table of the data editing window, a table file opened through a connection. Its records
// come in the table's order (by identity, which is the key where the table has one) and are
// read a few at a time by position, so that a table of any size costs only what is shown; the
// statements that read it are kept by the connection, so that opening it again parses no SQL.
// Opening reads the fields and the first screen of records in one read of the file: the fields
// are those of the file as it is then, also when another program changed it since the
// connection last read it. Should another program rename or drop a field while the table is
// open, reading fails and says so.
// Each store and each delete is one transaction, so the file stays sound whenever the program
// stops, and counting keeps no more of the file in memory than reading a screen does. Every
// failure throws EngineError; a record that the table cannot hold is refused in plain words
// that name the field.
class BrowseTable {
public:
    // The records read when the table is opened: the window's first screen.
    static constexpr int openingRecords = 16;

    // `source` is connected, holds the table's password, and outlives the table.
    BrowseTable(NameSource& source, const QString& tableName);

    const QList<BrowseField>& fields() const { return m_fields; }
    // The first records, as read when the table was opened; none once they were taken.
    std::optional<QList<BrowseRecord>> takeOpeningRecords() { return std::exchange(m_opening, {}); }
    QString path() const { return m_path; }
    // The user may not write the file, or its folder, where the engine keeps its journal.
    bool readOnly() const { return m_readOnly; }

    qint64 recordCount();
    // Up to `count` records in the table's order that follow the record `after` (without one,
    // from the first record), once `skip` of them are passed over.
    QList<BrowseRecord> readForward(std::optional<qint64> after, qint64 skip, int count);
    // The same towards the first record: records before `before` (without one, from the last),
    // returned in the table's order.
    QList<BrowseRecord> readBackward(std::optional<qint64> before, qint64 skip, int count);
    // How many records precede the record `id`.
    qint64 position(qint64 id);

    // Stores what was typed into the record `id`, or into a new record without one.
    StoredRecord store(std::optional<qint64> id, const TypedFields& typed);
    void remove(qint64 id);

private:
    class Transaction;
    class SmallCache;

    // Takes the fields from a statement of every field, once it has run.
    void readFields(const Statement& statement);
    // Whether a statement of every field still reads the fields, in their order.
    bool holdsFields(const Statement& statement) const;
    // The table's SELECT of every field continued by `order`, prepared once per connection.
    Statement& reading(const QString& order);
    QList<BrowseRecord> read(Statement& statement, qint64 bound, qint64 skip, int count);
    // Runs one statement with `values` bound in order; returns its first column, if any.
    std::optional<qint64> run(const QString& sql, const QList<QVariant>& values = {});
    [[noreturn]] void fail(const QString& text) const;

    NameSource& m_source;
    QString m_path;
    QString m_schema; // the schema the file is attached as
    QString m_table;  // schema and table, quoted for SQL
    sqlite3* m_db = nullptr;
    QList<BrowseField> m_fields;
    bool m_readOnly = false;
    QString m_select;
    Statement* m_forward = nullptr;
    std::optional<QList<BrowseRecord>> m_opening;
};
