#include "store/ResultRows.h"

#include <bit>

void ResultRows::clear() {
    lastCells_ = cells_.size();
    // Swapped out rather than cleared: a long result's memory goes with its rows.
    std::vector<Cell>().swap(cells_);
    texts_.clear();
}

void ResultRows::appendRow(const Statement& statement, int columns) {
    if (cells_.empty())
        cells_.reserve(lastCells_);
    for (int column = 0; column < columns; ++column)
        appendCell(statement, column);
}

void ResultRows::appendCell(const Statement& statement, int column) {
    const Statement::Value value = statement.column(column);
    Cell cell{{}, value.kind};
    switch (value.kind) {
    case Statement::Kind::Integer:
        cell.place.at = value.integer;
        break;
    case Statement::Kind::Real:
        cell.place.at = std::bit_cast<qint64>(value.real);
        break;
    case Statement::Kind::Text:
    case Statement::Kind::Blob:
        cell.place = texts_.append(value.bytes);
        break;
    case Statement::Kind::Null:
        break;
    }
    cells_.push_back(cell);
}

QString ResultRows::text(size_t index) const {
    const Cell& cell = cells_[index];
    switch (cell.kind) {
    case Statement::Kind::Integer:
        return QString::number(cell.place.at);
    case Statement::Kind::Real:
        return QString::number(std::bit_cast<double>(cell.place.at), 'g', 17);
    case Statement::Kind::Text:
    case Statement::Kind::Blob:
        return texts_.text(cell.place);
    case Statement::Kind::Null:
        break;
    }
    return {};
}

std::optional<qint64> ResultRows::integer(size_t index) const {
    const Cell& cell = cells_[index];
    Statement::Value value{cell.kind, cell.place.at, std::bit_cast<double>(cell.place.at), {}};
    QByteArray utf8;
    if (cell.kind == Statement::Kind::Text || cell.kind == Statement::Kind::Blob) {
        utf8 = texts_.view(cell.place).toUtf8();
        value.bytes = utf8;
    }
    return Statement::wholeNumber(value);
}
