#include "store/ResultRows.h"

#include <bit>

void ResultRows::clear() {
    lastCells_ = cells_.size();
    lastBytes_ = bytes_.size();
    // Swapped out rather than cleared: a long result's memory goes with its rows.
    std::vector<Cell>().swap(cells_);
    std::vector<char>().swap(bytes_);
}

void ResultRows::appendRow(const Statement& statement, int columns) {
    if (cells_.empty()) {
        cells_.reserve(lastCells_);
        bytes_.reserve(lastBytes_);
    }
    for (int column = 0; column < columns; ++column)
        append(statement.column(column));
}

void ResultRows::appendRow(std::span<const Statement::Value> values) {
    // Room for exactly the row: a record held alone keeps no slack.
    size_t bytes = 0;
    for (const Statement::Value& value : values)
        bytes += size_t(value.bytes.size());
    cells_.reserve(cells_.size() + values.size());
    bytes_.reserve(bytes_.size() + bytes);
    for (const Statement::Value& value : values)
        append(value);
}

void ResultRows::append(const Statement::Value& value) {
    Cell cell{value.integer, 0, value.kind};
    if (value.kind == Statement::Kind::Real) {
        cell.number = std::bit_cast<qint64>(value.real);
    } else if (value.kind == Statement::Kind::Text || value.kind == Statement::Kind::Blob) {
        cell.number = qint64(bytes_.size());
        cell.size = value.bytes.size();
        bytes_.insert(bytes_.end(), value.bytes.begin(), value.bytes.end());
    }
    cells_.push_back(cell);
}

Statement::Value ResultRows::valueOf(const Cell& cell) const {
    Statement::Value value{cell.kind, cell.number, std::bit_cast<double>(cell.number), {}};
    if (cell.kind == Statement::Kind::Text || cell.kind == Statement::Kind::Blob)
        value.bytes = QByteArrayView(bytes_.data() + cell.number, cell.size);
    return value;
}

QString ResultRows::text(size_t cell) const {
    return cell < cells_.size() ? Statement::textOf(valueOf(cells_[cell])) : QString();
}

std::optional<qint64> ResultRows::integer(size_t cell) const {
    return Statement::wholeNumber(valueOf(cells_[cell]));
}
