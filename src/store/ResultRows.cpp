#include "store/ResultRows.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Below the size that the allocator maps afresh from the system for each block.
constexpr qsizetype blockUnits = 32 * 1024;
constexpr qsizetype smallestBlockUnits = 256;

double realOf(qint64 bits) {
    return std::bit_cast<double>(bits);
}

// Names are mostly ASCII, which is widened here eight bytes at a time. Returns the end of the
// units written, or null at a byte that is not ASCII.
char16_t* widenAscii(QByteArrayView bytes, char16_t* out) {
    const char* in = bytes.data();
    qsizetype left = bytes.size();
    if constexpr (std::endian::native == std::endian::little) {
        for (; left >= 8; in += 8, left -= 8, out += 8) {
            quint64 chunk;
            std::memcpy(&chunk, in, 8);
            if (chunk & 0x8080808080808080ull)
                return nullptr;
            for (int half = 0; half < 2; ++half) {
                // Four bytes spread to four 16-bit units.
                quint64 units = (chunk >> (32 * half)) & 0xffffffffull;
                units = (units | units << 16) & 0x0000ffff0000ffffull;
                units = (units | units << 8) & 0x00ff00ff00ff00ffull;
                std::memcpy(out + 4 * half, &units, 8);
            }
        }
    }
    for (; left > 0; --left) {
        if (*in < 0)
            return nullptr;
        *out++ = char16_t(*in++);
    }
    return out;
}

} // namespace

void ResultRows::clear() {
    lastCells_ = cells_.size();
    lastTextUnits_ = 0;
    for (const QString& block : blocks_)
        lastTextUnits_ += block.size();
    // Swapped out rather than cleared: a long result's memory goes with its rows.
    std::vector<Cell>().swap(cells_);
    std::vector<QString>().swap(blocks_);
}

void ResultRows::appendRow(const Statement& statement, int columns) {
    if (cells_.empty())
        cells_.reserve(lastCells_);
    for (int column = 0; column < columns; ++column)
        appendCell(statement, column);
}

void ResultRows::appendRow(const Statement& statement, std::span<const int> columns) {
    if (cells_.empty())
        cells_.reserve(lastCells_);
    for (const int column : columns)
        appendCell(statement, column);
}

void ResultRows::appendCell(const Statement& statement, int column) {
    const Statement::Value value = statement.column(column);
    Cell cell{0, 0, value.kind};
    switch (value.kind) {
    case Statement::Kind::Integer:
        cell.value = value.integer;
        break;
    case Statement::Kind::Real:
        cell.value = std::bit_cast<qint64>(value.real);
        break;
    case Statement::Kind::Text:
    case Statement::Kind::Blob:
        cell.value = appendText(value.bytes, cell.size);
        break;
    case Statement::Kind::Null:
        break;
    }
    cells_.push_back(cell);
}

QString& ResultRows::blockFor(qsizetype units) {
    if (!blocks_.empty()) {
        QString& last = blocks_.back();
        if (last.capacity() - last.size() >= units && last.isDetached())
            return last;
    }
    const qsizetype wanted =
        blocks_.empty() ? std::clamp(lastTextUnits_, smallestBlockUnits, blockUnits) : blockUnits;
    QString& block = blocks_.emplace_back();
    block.reserve(std::max(wanted, units));
    return block;
}

qint64 ResultRows::appendText(QByteArrayView utf8, qint32& size) {
    // UTF-16 takes no more units than UTF-8 takes bytes. The text is written into the
    // block's free room, which the block then takes in, with a zero after it; blockFor() gave
    // a block of its own with the room, so no check of the string's own is needed.
    QString::DataPointer& block = blockFor(utf8.size() + 2).data_ptr();
    const qsizetype start = block.size;
    char16_t* const begin = block.data() + start;
    char16_t* end = widenAscii(utf8, begin);
    if (!end) {
        const QString converted = QString::fromUtf8(utf8);
        end = std::copy(converted.utf16(), converted.utf16() + converted.size(), begin);
    }
    size = qint32(end - begin);
    *end = 0;
    block.size = start + size + 1;
    return qint64(blocks_.size() - 1) << 32 | start;
}

QStringView ResultRows::view(const Cell& cell) const {
    return QStringView(blocks_[size_t(cell.value >> 32)])
        .sliced(cell.value & 0xffffffff, cell.size);
}

QString ResultRows::text(size_t index) const {
    const Cell& cell = cells_[index];
    switch (cell.kind) {
    case Statement::Kind::Integer:
        return QString::number(cell.value);
    case Statement::Kind::Real:
        return QString::number(realOf(cell.value), 'g', 17);
    case Statement::Kind::Text:
    case Statement::Kind::Blob: {
        if (cell.size == 0)
            return QStringLiteral("");
        // A view into the block that holds a reference to it, as QString's own copies do.
        auto& block =
            const_cast<QString::DataPointer&>(blocks_[size_t(cell.value >> 32)].data_ptr());
        block.d_ptr()->ref();
        return QString(QString::DataPointer(block.d_ptr(), block.data() + (cell.value & 0xffffffff),
                                            cell.size));
    }
    case Statement::Kind::Null:
        break;
    }
    return {};
}

std::optional<qint64> ResultRows::integer(size_t index) const {
    const Cell& cell = cells_[index];
    switch (cell.kind) {
    case Statement::Kind::Integer:
        return cell.value;
    case Statement::Kind::Real: {
        const double real = realOf(cell.value);
        if (std::trunc(real) == real && std::abs(real) < 9.0e18)
            return qint64(real);
        return std::nullopt;
    }
    case Statement::Kind::Text: {
        const QByteArray bytes = view(cell).toUtf8();
        const QByteArrayView text = QByteArrayView(bytes).trimmed();
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
