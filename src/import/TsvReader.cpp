#include "import/TsvReader.h"

#include "import/FileSource.h"

#include <charconv>

namespace {

constexpr qsizetype longestExcerpt = 80;

TextDialect tabSeparated() {
    TextDialect dialect;
    dialect.separator = '\t';
    dialect.quote = 0;
    dialect.longestRow = 1 << 20;
    return dialect;
}

} // namespace

TsvReader::TsvReader(const QString& path, const TableSchema::Layout& layout)
    : layout_(layout), reader_(std::make_unique<FileSource>(path), tabSeparated(), path) {
    readHeader();
}

QString TsvReader::excerpt(QByteArrayView field) {
    const QString text = QString::fromUtf8(field.first(std::min(field.size(), 4 * longestExcerpt)));
    return text.size() <= longestExcerpt ? text : text.first(longestExcerpt) + QStringLiteral("…");
}

void TsvReader::readHeader() {
    if (!reader_.next())
        fail(1, tr("soubor je prázdný; jeho první řádek musí jmenovat sloupce"));
    fieldOfColumn_.fill(-1, layout_.columns.size());
    for (qsizetype at = 0; at < reader_.fieldCount(); ++at) {
        const QByteArrayView name = reader_.field(at);
        const int column = layout_.position(QString::fromUtf8(name));
        if (column < 0)
            fail(tr("neznámý sloupec „%1“; první řádek smí jmenovat jen sloupce %2")
                     .arg(excerpt(name), columnNames()));
        if (fieldOfColumn_[column] >= 0)
            fail(
                tr("sloupec %1 je v prvním řádku dvakrát; ponechte jej jednou").arg(excerpt(name)));
        fieldOfColumn_[column] = at;
    }
    for (int column = 0; column < layout_.columns.size(); ++column) {
        if (fieldOfColumn_[column] < 0)
            fail(tr("chybí sloupec %1; přidejte jej do prvního řádku a do každého dalšího")
                     .arg(layout_.columns[column].name));
    }
}

bool TsvReader::next() {
    if (!reader_.next())
        return false;
    if (reader_.fieldCount() != fieldOfColumn_.size())
        fail(tr("počet polí oddělených tabulátorem: %2, má být %1 jako v prvním řádku")
                 .arg(fieldOfColumn_.size())
                 .arg(reader_.fieldCount()));
    return true;
}

qint64 TsvReader::integer(int column, qint64 min, qint64 max) const {
    const QByteArrayView text = field(column);
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
