#include "import/TsvReader.h"

#include <charconv>
#include <cstring>

namespace {
constexpr qsizetype blockSize = 1 << 20;
constexpr qsizetype longestLine = 1 << 20;
constexpr qsizetype longestExcerpt = 80;
} // namespace

TsvReader::TsvReader(const QString& path, const TableSchema::Layout& layout)
    : path_(path), layout_(layout), file_(path) {
    if (!file_.open(QIODevice::ReadOnly))
        throw ImportError(tr("%1: soubor nelze otevřít (%2). Zkontrolujte, že existuje a že jej "
                             "smíte číst.")
                              .arg(path, file_.errorString())
                              .toStdString());
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
        failOnCrAlone(line_ + 1);
    fail(line_ + 1, tr("řádek je delší než 1 MiB; zkontrolujte, že je to text se sloupci "
                       "oddělenými tabulátorem"));
}

void TsvReader::failOnCrAlone(qint64 line) const {
    // Such a file reads as one long line.
    fail(line, tr("řádky končí samotným CR; uložte soubor s konci řádků LF nebo CR LF"));
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
        fail(tr("soubor nelze číst: %1").arg(file_.errorString()));
    blockEnd_ += read;
    readSoFar_ += read;
    // A file cut short while it is read would otherwise pass for a shorter file.
    if (read == 0 && size_ >= 0 && readSoFar_ < size_)
        fail(line_ + 1, tr("soubor se během čtení zkrátil z %1 na %2 bajtů; počkejte, až jej "
                           "jiný program dopíše")
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
        fail(tr("řádek není text v UTF-8; uložte soubor v kódování UTF-8"));
    // The table would keep the byte, but the copies of a name could not.
    if (line.contains('\0'))
        fail(tr("řádek obsahuje bajt NUL; odstraňte jej"));
    return true;
}

void TsvReader::readHeader() {
    QByteArrayView header;
    if (!readLine(header))
        fail(1, tr("soubor je prázdný; jeho první řádek musí jmenovat sloupce"));
    if (header.contains('\r'))
        failOnCrAlone(1);
    for (const QByteArray& bytes : header.toByteArray().split('\t')) {
        const QString name = QString::fromUtf8(bytes);
        const int column = layout_.position(name);
        if (column < 0)
            fail(tr("neznámý sloupec „%1“; první řádek smí jmenovat jen sloupce %2")
                     .arg(excerpt(bytes), columnNames()));
        if (columnOfField_.contains(column))
            fail(tr("sloupec %1 je v prvním řádku dvakrát; ponechte jej jednou")
                     .arg(excerpt(bytes)));
        columnOfField_.append(column);
    }
    for (int column = 0; column < layout_.columns.size(); ++column) {
        if (!columnOfField_.contains(column))
            fail(tr("chybí sloupec %1; přidejte jej do prvního řádku a do každého dalšího")
                     .arg(layout_.columns[column].name));
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
        fail(tr("počet polí oddělených tabulátorem: %2, má být %1 jako v prvním řádku")
                 .arg(columnOfField_.size())
                 .arg(found));
    return true;
}

qint64 TsvReader::integer(int column, qint64 min, qint64 max) const {
    const QByteArrayView text = fields_[column];
    qint64 value = 0;
    const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
    if (text.isEmpty() || error != std::errc() || end != text.end() || value < min || value > max)
        fail(tr("%1 musí být celé číslo od %2 do %3, ne „%4“")
                 .arg(layout_.columns[column].name)
                 .arg(min)
                 .arg(max)
                 .arg(excerpt(text)));
    return value;
}

QString TsvReader::columnNames() const {
    QStringList names;
    for (const TableSchema::Column& column : layout_.columns)
        names.append(column.name);
    return names.join(QStringLiteral(", "));
}
