#include "TsvReader.h"

TsvReader::TsvReader(const QString& path, const TableSchema::Layout& layout)
    : path_(path), layout_(layout), file_(path), decoder_(QStringDecoder::Utf8) {
    if (!file_.open(QIODevice::ReadOnly))
        throw ImportError(QStringLiteral("%1: %2").arg(path, file_.errorString()).toStdString());
    readHeader();
}

void TsvReader::fail(qint64 line, const QString& what) const {
    throw ImportError(QStringLiteral("%1:%2: %3").arg(path_).arg(line).arg(what).toStdString());
}

bool TsvReader::readLine(QString& text) {
    QByteArray bytes = file_.readLine();
    if (bytes.isEmpty()) {
        if (file_.error() != QFileDevice::NoError)
            fail(line_ + 1, file_.errorString());
        return false;
    }
    ++line_;
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    if (line_ == 1 && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    text = decoder_.decode(bytes);
    if (decoder_.hasError()) {
        decoder_.resetState();
        fail(QStringLiteral("the line is not valid UTF-8"));
    }
    return true;
}

void TsvReader::readHeader() {
    QString header;
    if (!readLine(header))
        fail(1, QStringLiteral("the file is empty; the first line must name the columns"));
    const QStringList names = header.split('\t');
    for (const QString& name : names) {
        int column = 0;
        while (column < layout_.columns.size() &&
               layout_.columns[column].name.compare(name, Qt::CaseInsensitive) != 0)
            ++column;
        if (column == layout_.columns.size())
            fail(QStringLiteral("unknown column '%1'").arg(name));
        if (columnOfField_.contains(column))
            fail(QStringLiteral("column %1 appears twice").arg(name));
        columnOfField_.append(column);
    }
    for (int column = 0; column < layout_.columns.size(); ++column) {
        if (!columnOfField_.contains(column))
            fail(QStringLiteral("missing column %1").arg(layout_.columns[column].name));
    }
}

bool TsvReader::next(QStringList& row) {
    QString text;
    if (!readLine(text))
        return false;
    const QStringList fields = text.split('\t');
    if (fields.size() != columnOfField_.size())
        fail(QStringLiteral("expected %1 tab-separated fields, found %2")
                 .arg(columnOfField_.size())
                 .arg(fields.size()));
    row.resize(fields.size());
    for (int field = 0; field < fields.size(); ++field)
        row[columnOfField_[field]] = fields[field];
    return true;
}

qint64 TsvReader::integer(const QString& text, const QString& column, qint64 min,
                          qint64 max) const {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < min || value > max)
        fail(QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'")
                 .arg(column)
                 .arg(min)
                 .arg(max)
                 .arg(text));
    return value;
}
