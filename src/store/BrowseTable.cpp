#include "store/BrowseTable.h"

#include "store/EngineError.h"
#include "store/NameSource.h"
#include "store/RecordRules.h"
#include "store/TablePath.h"

#include <QCoreApplication>
#include <QVarLengthArray>
#include <algorithm>
#include <limits>

namespace {

QString quoted(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

// Rolls back unless committed, so that a failed store leaves the file as it was.
class BrowseTable::Transaction {
public:
    explicit Transaction(BrowseTable& table) : m_table(table) {
        m_table.run(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~Transaction() {
        if (!m_committed) {
            Statement rollback;
            if (rollback.prepare(m_table.m_db, QStringLiteral("ROLLBACK")))
                rollback.step();
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit() {
        m_table.run(QStringLiteral("COMMIT"));
        m_committed = true;
    }

private:
    BrowseTable& m_table;
    bool m_committed = false;
};

// While it lives, the table's file is read through a cache of a few pages. A count reads every
// page of the table, and the connection's cache would keep them: memory that grows with the
// table up to the cache's limit, held for the main window's connection's life. The cache's own
// size comes back after.
class BrowseTable::SmallCache {
public:
    explicit SmallCache(BrowseTable& table)
        : m_table(table), m_size(table.run(pragma(table)).value_or(0)) {
        m_table.run(pragma(table) + QStringLiteral(" = 8"));
    }
    ~SmallCache() {
        Statement restore;
        if (restore.prepare(m_table.m_db, pragma(m_table) + QStringLiteral(" = %1").arg(m_size)))
            restore.step();
    }
    SmallCache(const SmallCache&) = delete;
    SmallCache& operator=(const SmallCache&) = delete;

private:
    static QString pragma(const BrowseTable& table) {
        return QStringLiteral("PRAGMA %1.cache_size").arg(table.m_schema);
    }

    BrowseTable& m_table;
    qint64 m_size;
};

BrowseTable::BrowseTable(NameSource& source, const QString& tableName)
    : m_source(source), m_path(source.tablePath(tableName)), m_schema(source.attach(tableName)),
      m_table(m_schema + u'.' + quoted(tableName)), m_db(source.connection().handle()),
      m_readOnly(!mayWriteTable(m_path)),
      // Every field by *: a statement kept from an earlier opening then follows the fields
      // when the engine prepares it anew for a table that another program changed.
      m_select(QStringLiteral("SELECT rowid, * FROM %1 ").arg(m_table)),
      m_forward(&reading(QStringLiteral("WHERE rowid > ?1 ORDER BY rowid LIMIT ?2 OFFSET ?3"))) {
    m_opening = readForward(std::nullopt, 0, openingRecords);
}

Statement& BrowseTable::reading(const QString& order) {
    return m_source.prepared(m_select + order, m_path);
}

void BrowseTable::readFields(const Statement& statement) {
    // Column 0 is the identity. The declarations come from the schema that running the
    // statement has just checked against the file.
    int keyColumns = 0;
    for (int column = 1; column < statement.columnCount(); ++column) {
        const std::optional<Statement::Declared> declared = statement.columnDeclared(column);
        const QString type = declared ? declared->type.toUpper() : QString();
        const bool key = declared && declared->primaryKey;
        keyColumns += key;
        // SQLite's own rule: a declared type that contains INT holds whole numbers, and only
        // a lone INTEGER PRIMARY KEY is the row's identity.
        m_fields.append(
            {statement.columnName(column), type.contains(u"INT"), key && type == u"INTEGER"});
    }
    if (keyColumns > 1) {
        for (BrowseField& field : m_fields)
            field.key = false;
    }
}

bool BrowseTable::holdsFields(const Statement& statement) const {
    // A field added by another program comes after them; the window shows it once the table
    // is opened again.
    if (statement.columnCount() < m_fields.size() + 1)
        return false;
    for (int column = 1; column <= m_fields.size(); ++column) {
        if (statement.columnName(column) != m_fields[column - 1].name)
            return false;
    }
    return true;
}

qint64 BrowseTable::recordCount() {
    const SmallCache cache(*this);
    return run(QStringLiteral("SELECT count(*) FROM %1").arg(m_table)).value_or(0);
}

// Identities never reach the extremes of 64 bits, so they stand for "no bound".
QList<BrowseRecord> BrowseTable::readForward(std::optional<qint64> after, qint64 skip, int count) {
    return read(*m_forward, after.value_or(std::numeric_limits<qint64>::min()), skip, count);
}

QList<BrowseRecord> BrowseTable::readBackward(std::optional<qint64> before, qint64 skip,
                                              int count) {
    QList<BrowseRecord> records =
        read(reading(QStringLiteral("WHERE rowid < ?1 ORDER BY rowid DESC LIMIT ?2 OFFSET ?3")),
             before.value_or(std::numeric_limits<qint64>::max()), skip, count);
    std::reverse(records.begin(), records.end());
    return records;
}

QList<BrowseRecord> BrowseTable::read(Statement& statement, qint64 bound, qint64 skip, int count) {
    statement.reset();
    statement.bindInteger(1, bound);
    statement.bindInteger(2, count);
    statement.bindInteger(3, skip);
    QList<BrowseRecord> records;
    records.reserve(count);
    // Running the statement checks its fields against the file.
    Statement::Step step = statement.step();
    QString error;
    if (step == Statement::Step::Error) {
        error = statement.errorText();
    } else if (m_fields.isEmpty()) {
        readFields(statement);
    } else if (!holdsFields(statement)) {
        step = Statement::Step::Done;
        error = QCoreApplication::translate("BrowseTable",
                                            "Jiný program změnil pole tabulky. Zavřete okno a "
                                            "otevřete tabulku znovu.");
    }
    QVarLengthArray<Statement::Value, 16> values(m_fields.size());
    for (; step == Statement::Step::Row; step = statement.step()) {
        for (int column = 1; column <= m_fields.size(); ++column)
            values[column - 1] = statement.column(column);
        records.append(BrowseRecord(statement.columnInteger(0), values));
    }
    if (step == Statement::Step::Error && error.isNull())
        error = statement.errorText();
    // A statement left in the middle of its rows would keep the file locked for others.
    statement.reset();
    if (!error.isNull())
        fail(error);
    return records;
}

qint64 BrowseTable::position(qint64 id) {
    const SmallCache cache(*this);
    return run(QStringLiteral("SELECT count(*) FROM %1 WHERE rowid < ?").arg(m_table), {id})
        .value_or(0);
}

StoredRecord BrowseTable::store(std::optional<qint64> id, const TypedFields& typed) {
    QStringList columns;
    QList<QVariant> values;
    const BrowseField* keyField = nullptr;
    std::optional<qint64> key;
    for (int column = 0; column < m_fields.size(); ++column) {
        const BrowseField& field = m_fields[column];
        // An edit writes what was typed; a new record gets every field.
        if (id && !typed.value(column))
            continue;
        const QVariant value =
            RecordRules::valueOf(field, typed.value(column).value_or(QString()), m_path);
        if (field.key) {
            // A new record without a key takes the next free one from the engine.
            if (value.isNull() && !id)
                continue;
            if (value.isNull())
                fail(QCoreApplication::translate("BrowseTable",
                                                 "%1 nesmí být prázdné, je to číslo záznamu. "
                                                 "Vyplňte je, nebo změny záznamu zrušte "
                                                 "klávesou Esc.")
                         .arg(field.name));
            keyField = &field;
            key = value.toLongLong();
        }
        columns.append(quoted(field.name));
        values.append(value);
    }

    Transaction transaction(*this);
    if (key && key != id &&
        run(QStringLiteral("SELECT count(*) FROM %1 WHERE rowid = ?").arg(m_table), {*key}) > 0)
        fail(QCoreApplication::translate("BrowseTable",
                                         "%1 %2 už má jiný záznam. Zvolte jiné číslo, nebo změny "
                                         "záznamu zrušte klávesou Esc.")
                 .arg(keyField->name)
                 .arg(*key));
    if (id) {
        if (!columns.isEmpty()) {
            run(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                    .arg(m_table, columns.join(QStringLiteral(" = ?, "))),
                values + QList<QVariant>{*id});
            if (run(QStringLiteral("SELECT changes()")) != 1)
                fail(QCoreApplication::translate("BrowseTable",
                                                 "Záznam už v tabulce není, smazal jej jiný "
                                                 "program. Změny zrušte klávesou Esc."));
        }
    } else {
        run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(m_table, columns.join(QStringLiteral(", ")),
                     QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
            values);
    }
    StoredRecord stored{id ? key.value_or(*id) : *run(QStringLiteral("SELECT last_insert_rowid()")),
                        std::nullopt};
    // Read inside the transaction: the window must know where the record went once it is stored.
    if (stored.id != id)
        stored.position = position(stored.id);
    transaction.commit();
    return stored;
}

void BrowseTable::remove(qint64 id) {
    Transaction transaction(*this);
    run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_table), {id});
    transaction.commit();
}

std::optional<qint64> BrowseTable::run(const QString& sql, const QList<QVariant>& values) {
    Statement statement;
    if (!statement.prepare(m_db, sql))
        fail(statement.errorText());
    for (int index = 0; index < values.size(); ++index)
        statement.bind(index + 1, values[index]);
    switch (statement.step()) {
    case Statement::Step::Row:
        return statement.columnInteger(0);
    case Statement::Step::Done:
        return std::nullopt;
    case Statement::Step::Error:
        break;
    }
    fail(statement.errorText());
}

void BrowseTable::fail(const QString& text) const {
    throw EngineError(text, m_path);
}
