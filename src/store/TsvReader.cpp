#include "store/TsvReader.h"

#include <charconv>
#include <cstring>

namespace {
constexpr qsizetype blockSize = 1 << 20;
constexpr qsizetype longestLine = 1 << 20;
constexpr qsizetype longestExcerpt = 80;
// A file whose lines end in CR alone reads as one long line.
const QString crAlone =
    QStringLiteral("the lines end in CR alone; save the file with LF or CR LF line ends");
} // namespace

TsvReader::TsvReader(const QString& path, const TableSchema::Layout& layout)
    : path_(path), layout_(layout), file_(path) {
    if (!file_.open(QIODevice::ReadOnly))
        throw ImportError(QStringLiteral("%1: %2").arg(path, file_.errorString()).toStdString());
    if (!file_.isSequential())
        size_ = file_.size();
    fields_.resize(layout_.columns.size());
    readHeader();
}

QString TsvReader::excerpt(QByteArrayView field) {
    const QString text = QString::fromUtf8(field.first(std::min(field.size(), 4 * longestExcerpt)));
    return text.size() <= longestExcerpt ? text : text.first(longestExcerpt) + QStringLiteral("…");
}

void TsvReader::failOnLongLine() const {
    const QByteArrayView rest = QByteArrayView(block_).sliced(unread_, blockEnd_ - unread_);
    if (rest.contains('\r'))
        fail(line_ + 1, crAlone);
    fail(line_ + 1, QStringLiteral("the line is longer than 1 MiB"));
}

void TsvReader::fail(qint64 line, const QString& what) const {
    throw ImportError(QStringLiteral("%1:%2: %3").arg(path_).arg(line).arg(what).toStdString());
}

bool TsvReader::readMore() {
    // The unread bytes move to the front; a line longer than the block doubles it.
    const qsizetype kept = blockEnd_ - unread_;
    if (block_.isEmpty())
        block_ = QByteArray(blockSize, Qt::Uninitialized);
    else if (kept == block_.size())
        block_.resize(2 * block_.size());
    std::memmove(block_.data(), block_.constData() + unread_, size_t(kept));
    unread_ = 0;
    blockEnd_ = kept;
    const qint64 read = file_.read(block_.data() + kept, block_.size() - kept);
    if (read < 0)
        fail(QStringLiteral("cannot read the file: %1").arg(file_.errorString()));
    blockEnd_ += read;
    readSoFar_ += read;
    // A file cut short while it is read would otherwise pass for a shorter file.
    if (read == 0 && size_ >= 0 && readSoFar_ < size_)
        fail(line_ + 1, QStringLiteral("the file shrank from %1 to %2 bytes while it was read")
                            .arg(size_)
                            .arg(readSoFar_));
    return read > 0;
}

bool TsvReader::readLine(QByteArrayView& line) {
    qsizetype end;
    for (;;) {
        end = QByteArrayView(block_).sliced(unread_, blockEnd_ - unread_).indexOf('\n');
        if (end > longestLine || (end < 0 && blockEnd_ - unread_ > longestLine))
            failOnLongLine();
        if (end >= 0 || !readMore())
            break;
    }
    if (unread_ == blockEnd_)
        return false;
    ++line_;
    const QByteArrayView rest = QByteArrayView(block_).sliced(unread_, blockEnd_ - unread_);
    line = end < 0 ? rest : rest.first(end);
    unread_ = end < 0 ? blockEnd_ : unread_ + end + 1;
    if (line.endsWith('\r'))
        line.chop(1);
    if (line_ == 1 && line.startsWith("\xEF\xBB\xBF"))
        line = line.sliced(3);
    if (!line.isValidUtf8())
        fail(QStringLiteral("the line is not valid UTF-8"));
    // The table would keep the byte, but the copies of a name could not.
    if (line.contains('\0'))
        fail(QStringLiteral("the line holds a NUL byte"));
    return true;
}

void TsvReader::readHeader() {
    QByteArrayView header;
    if (!readLine(header))
        fail(1, QStringLiteral("the file is empty; the first line must name the columns"));
    if (header.contains('\r'))
        fail(1, crAlone);
    for (const QByteArray& bytes : header.toByteArray().split('\t')) {
        const QString name = QString::fromUtf8(bytes);
        const int column = layout_.position(name);
        if (column < 0)
            fail(QStringLiteral("unknown column '%1'").arg(excerpt(bytes)));
        if (columnOfField_.contains(column))
            fail(QStringLiteral("column %1 appears twice").arg(excerpt(bytes)));
        columnOfField_.append(column);
    }
    for (int column = 0; column < layout_.columns.size(); ++column) {
        if (!columnOfField_.contains(column))
            fail(QStringLiteral("missing column %1").arg(layout_.columns[column].name));
    }
}

bool TsvReader::next() {
    QByteArrayView line;
    if (!readLine(line))
        return false;
    qsizetype found = 0;
    for (;;) {
        const qsizetype tab = line.indexOf('\t');
        if (found < columnOfField_.size())
            fields_[columnOfField_[found]] = tab < 0 ? line : line.first(tab);
        ++found;
        if (tab < 0)
            break;
        line = line.sliced(tab + 1);
    }
    if (found != columnOfField_.size())
        fail(QStringLiteral("expected %1 tab-separated fields, found %2")
                 .arg(columnOfField_.size())
                 .arg(found));
    return true;
}

qint64 TsvReader::integer(int column, qint64 min, qint64 max) const {
    const QByteArrayView text = fields_[column];
    qint64 value = 0;
    const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
    if (text.isEmpty() || error != std::errc() || end != text.end() || value < min || value > max)
        fail(QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'")
                 .arg(layout_.columns[column].name)
                 .arg(min)
                 .arg(max)
                 .arg(excerpt(text)));
    return value;
}
