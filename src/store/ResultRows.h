#pragma once

#include "store/Statement.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The rows of a query result as SQLite gave them: numbers as numbers and texts as UTF-8
// bytes in one buffer, so that only the fields a caller reads are turned into text.
class ResultRows {
public:
    void clear();
    // Appends the current row of a statement.
    void appendRow(const Statement& statement, int columns);
    size_t cellCount() const { return cells_.size(); }

    // NULL reads as empty text.
    QString text(size_t cell) const;
    // A whole number; none when the value is no whole number (NULL reads as 0).
    std::optional<qint64> integer(size_t cell) const;

private:
    struct Cell {
        Statement::Kind kind;
        qint64 integer; // the number, or the offset of the bytes in the buffer
        double real;
        qsizetype size; // of the bytes
    };
    QByteArrayView bytes(const Cell& cell) const {
        return QByteArrayView(bytes_).sliced(cell.integer, cell.size);
    }

    std::vector<Cell> cells_;
    QByteArray bytes_;
};
