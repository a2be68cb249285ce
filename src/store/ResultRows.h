#pragma once

#include "store/Statement.h"
#include "store/TextBlocks.h"

#include <QString>
#include <optional>
#include <vector>

// The rows of a query result as SQLite gave them: numbers as numbers, and texts as UTF-16 in
// shared blocks.
class ResultRows {
public:
    // Forgets the rows and lets go of their memory.
    void clear();
    // Appends the first `columns` columns of the current row of a statement.
    void appendRow(const Statement& statement, int columns);
    size_t cellCount() const { return cells_.size(); }

    // NULL reads as empty text.
    QString text(size_t cell) const;
    // A whole number; none when the value is no whole number (NULL reads as 0).
    std::optional<qint64> integer(size_t cell) const;

private:
    struct Cell {
        TextBlocks::Place place; // a text's; a whole number or the bits of a real in place.at
        Statement::Kind kind;
    };
    void appendCell(const Statement& statement, int column);

    std::vector<Cell> cells_;
    TextBlocks texts_;
    // The size of the last rows: a query run again mostly gives as many.
    size_t lastCells_ = 0;
};
