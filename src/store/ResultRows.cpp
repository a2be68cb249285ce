#include "store/ResultRows.h"

#include <charconv>
#include <cmath>

void ResultRows::clear() {
    cells_.clear();
    bytes_.clear();
}

void ResultRows::appendRow(const Statement& statement, int columns) {
    for (int column = 0; column < columns; ++column) {
        Cell cell{statement.columnKind(column), 0, 0.0, 0};
        switch (cell.kind) {
        case Statement::Kind::Integer:
            cell.integer = statement.columnInteger(column);
            break;
        case Statement::Kind::Real:
            cell.real = statement.columnReal(column);
            break;
        case Statement::Kind::Text:
        case Statement::Kind::Blob: {
            const QByteArrayView value = statement.columnBytes(column);
            cell.integer = bytes_.size();
            cell.size = value.size();
            bytes_.append(value);
            break;
        }
        case Statement::Kind::Null:
            break;
        }
        cells_.push_back(cell);
    }
}

QString ResultRows::text(size_t index) const {
    const Cell& cell = cells_[index];
    switch (cell.kind) {
    case Statement::Kind::Integer:
        return QString::number(cell.integer);
    case Statement::Kind::Real:
        return QString::number(cell.real, 'g', 17);
    case Statement::Kind::Text:
    case Statement::Kind::Blob:
        return QString::fromUtf8(bytes(cell));
    case Statement::Kind::Null:
        break;
    }
    return {};
}

std::optional<qint64> ResultRows::integer(size_t index) const {
    const Cell& cell = cells_[index];
    switch (cell.kind) {
    case Statement::Kind::Integer:
        return cell.integer;
    case Statement::Kind::Real:
        if (std::trunc(cell.real) == cell.real && std::abs(cell.real) < 9.0e18)
            return qint64(cell.real);
        return std::nullopt;
    case Statement::Kind::Text: {
        const QByteArrayView text = bytes(cell).trimmed();
        qint64 value = 0;
        const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
        if (text.isEmpty() || error != std::errc() || end != text.end())
            return std::nullopt;
        return value;
    }
    case Statement::Kind::Blob:
        return std::nullopt;
    case Statement::Kind::Null:
        break;
    }
    return 0;
}
