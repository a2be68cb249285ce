#pragma once

#include "store/ResultRows.h"
#include "store/Statement.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

class NameSource;
class Query;

// One field of the current row, read as text or as an integer. NULL reads as empty text or 0.
class Field {
public:
    Field(const ResultRows& rows, size_t cell, int position, const Query& query)
        : rows_(rows), cell_(cell), position_(position), query_(query) {}

    QString asString() const { return rows_.text(cell_); }
    // Throws EngineError when the value is not a whole number that fits in 32 bits.
    int asInteger() const;

private:
    const ResultRows& rows_;
    size_t cell_;
    int position_;
    const Query& query_;
};

// A query over the table files of a NameSource. Its SQL is a list of lines in which tables
// are named by file name in single quotes (SELECT * FROM 'plantnames.db'); parameters are
// written :name. Opening runs the query and keeps its rows, so the record count is known at
// once and no cursor stays open on the files. Every failure throws EngineError.
class Query {
public:
    enum class ParamType { Text, Integer };

    explicit Query(NameSource& source);
    NameSource& source() const { return source_; }

    // The SQL text, line by line. Changing it closes and unprepares the query.
    void clearSql();
    void addSqlLine(const QString& line);

    // Gives a parameter a type; a value set later is converted to it. A parameter that has no
    // type takes the type of its value.
    void defineParam(const QString& name, ParamType type);
    void setParam(const QString& name, const QVariant& value);

    void prepare();
    bool isPrepared() const { return statement_.isPrepared(); }
    // Prepares the query when needed, then runs it.
    void open();
    void close();
    // Prepares the query when needed, then runs it and hands each row to `read` as SQLite
    // steps it, keeping none: a long result read once costs no copy. The query stays closed.
    template <typename RowReader>
    void forEachRow(RowReader&& read);
    // The rows of the last run: a query run again mostly gives as many.
    int lastRunRows() const { return lastRunRows_; }
    // The position of a field of the prepared query by name; prepares it when needed.
    int columnOf(const QString& name);
    // A value of the field at `position` as a 32-bit whole number; throws EngineError when it
    // is none.
    int integerOf(const Statement::Value& value, int position) const {
        if (value.kind == Statement::Kind::Integer && value.integer == int(value.integer))
            return int(value.integer);
        return otherIntegerOf(value, position);
    }

    int recordCount() const;
    // The position of a field by name, without regard to letter case.
    int fieldIndex(const QString& name) const;
    // Inline, as they run for every field of every row that a list reads.
    Field field(int position) const {
        requireOpen();
        if (eof())
            fail(QCoreApplication::translate("Query", "Dotaz je za posledním řádkem"));
        if (position < 0 || position >= fieldNames_.size())
            fail(QCoreApplication::translate("Query", "Pole číslo %1 v dotazu není").arg(position));
        return Field(rows_, size_t(row_) * size_t(fieldNames_.size()) + size_t(position), position,
                     *this);
    }

    void first();
    void next() {
        requireOpen();
        if (!eof())
            ++row_;
    }
    bool eof() const { return row_ >= rowCount_; }

    // The table files that SQL names after FROM or JOIN in single quotes, each once, in order.
    static QStringList tablesNamedIn(const QString& sql);
    // The table files that the SQL names, comma-separated: the files an error concerns.
    QString tables() const;
    QString fieldName(int position) const { return fieldNames_.value(position); }

private:
    friend class Field;
    // Binds the parameters to the rewound statement, and after the steps rewinds it again,
    // throwing the error that ended them.
    void beginRun();
    void endRun(Statement::Step last);
    int otherIntegerOf(const Statement::Value& value, int position) const;
    [[noreturn]] void failNotInteger(int position, const QString& text) const;
    void requireOpen() const {
        if (!open_)
            fail(QCoreApplication::translate("Query", "Dotaz není otevřený"));
    }
    // The position of a field of the statement by name; throws EngineError when there is none.
    int positionOf(const QString& name) const;
    [[noreturn]] void fail(const QString& text) const;

    NameSource& source_;
    QStringList sql_;
    QStringList tableFiles_;
    // A parameter, its value kept as it is bound, and its place in the prepared statement
    // (0 when the statement does not use it).
    struct Param {
        QString name;
        std::optional<ParamType> type;
        std::optional<QVariant> value; // none until one is set
        QByteArray text;               // the value as UTF-8, when it is bound as text
        int index = 0;
    };
    Param& param(const QString& name);
    std::vector<Param> params_;
    Statement statement_;
    bool open_ = false;
    QStringList fieldNames_; // of the prepared statement
    ResultRows rows_;
    int row_ = 0;
    int rowCount_ = 0; // 0 while closed
    int lastRunRows_ = 0;
};

template <typename RowReader>
void Query::forEachRow(RowReader&& read) {
    beginRun();
    Statement::Step step;
    int rows = 0;
    try {
        for (; (step = statement_.step()) == Statement::Step::Row; ++rows)
            read(statement_);
    } catch (...) {
        statement_.reset();
        throw;
    }
    endRun(step);
    lastRunRows_ = rows;
}
