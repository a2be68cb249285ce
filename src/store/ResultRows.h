#pragma once

#include "store/Statement.h"

#include <QString>
#include <optional>
#include <span>
#include <vector>

// Values of rows as SQLite gave them, cell by cell in row order: numbers as numbers, texts
// and blobs as their bytes one after another in one array. A value becomes text only when it
// is read: a grid shows a screen of the cells that are read.
class ResultRows {
public:
    // Forgets the rows and lets go of their memory.
    void clear();
    // Appends the first `columns` columns of the current row of a statement.
    void appendRow(const Statement& statement, int columns);
    void appendRow(std::span<const Statement::Value> values);
    size_t cellCount() const { return cells_.size(); }

    // As Statement::textOf() writes it; empty for a cell that is not there.
    QString text(size_t cell) const;
    // As Statement::wholeNumber() reads it.
    std::optional<qint64> integer(size_t cell) const;

private:
    struct Cell {
        qint64 number; // a whole number, the bits of a real, or where the bytes begin
        qsizetype size;
        Statement::Kind kind;
    };
    void append(const Statement::Value& value);
    Statement::Value valueOf(const Cell& cell) const;

    std::vector<Cell> cells_;
    std::vector<char> bytes_;
    // The size of the last rows: a query run again mostly gives as many.
    size_t lastCells_ = 0;
    size_t lastBytes_ = 0;
};
