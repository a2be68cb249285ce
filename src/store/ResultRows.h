#pragma once

#include "store/Statement.h"

#include <QString>
#include <optional>
#include <span>
#include <vector>

// The rows of a query result as SQLite gave them: numbers as numbers, and texts as UTF-16 in
// blocks that many texts share, so that a text read from the rows costs no allocation of its
// own.
class ResultRows {
public:
    // Forgets the rows and lets go of their memory.
    void clear();
    // Appends the current row of a statement: its first `columns` columns, or the columns
    // at the given positions in that order.
    void appendRow(const Statement& statement, int columns);
    void appendRow(const Statement& statement, std::span<const int> columns);
    size_t cellCount() const { return cells_.size(); }

    // NULL reads as empty text. A text holds on to its block, as a copy of a QString holds
    // on to the original's data; changing it copies it first.
    QString text(size_t cell) const;
    // A whole number; none when the value is no whole number (NULL reads as 0).
    std::optional<qint64> integer(size_t cell) const;

private:
    struct Cell {
        qint64 value; // the whole number, the bits of a real, or the block and offset of a text
        qint32 size;  // of a text, in UTF-16 units
        Statement::Kind kind;
    };
    void appendCell(const Statement& statement, int column);
    // Appends a text and its terminating zero, as a QString's data ends; returns its place.
    qint64 appendText(QByteArrayView utf8, qint32& size);
    // The block that a text of `units` units (with its zero) goes into.
    QString& blockFor(qsizetype units);
    QStringView view(const Cell& cell) const;

    std::vector<Cell> cells_;
    // Never moved once written: a new block begins when the last is full or shared.
    std::vector<QString> blocks_;
    // The size of the last rows: a query run again mostly gives as many.
    size_t lastCells_ = 0;
    qsizetype lastTextUnits_ = 0;
};
