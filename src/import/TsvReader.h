#pragma once

#include "import/DelimitedReader.h"
#include "import/ImportError.h"
#include "store/TableSchema.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QList>
#include <QString>

// Reads a UTF-8 tab-separated file whose header line names exactly the columns of a table
// layout, in any order and any letter case, through DelimitedReader: no quotes, lines that end
// in LF or CR LF and are at most 1 MiB long, blank lines no rows, every row with a field for
// each column. Fields are views into the reader, by the layout's column, valid until the next
// row is read.
class TsvReader {
    Q_DECLARE_TR_FUNCTIONS(TsvReader)

public:
    TsvReader(const QString& path, const TableSchema::Layout& layout);

    // Moves to the next row; false at the end of the file. Throws ImportError for a bad line.
    bool next();
    QByteArrayView field(int column) const { return reader_.field(fieldOfColumn_[column]); }
    // A field holding a whole number from `min` to `max`.
    qint64 integer(int column, qint64 min, qint64 max) const;

    qint64 line() const { return reader_.line(); }
    // How far the file has been read, and its size (-1 for a pipe).
    qint64 bytesRead() const { return reader_.bytesRead(); }
    qint64 size() const { return reader_.size(); }
    [[noreturn]] void fail(const QString& what) const { fail(line(), what); }
    [[noreturn]] void fail(qint64 line, const QString& what) const { reader_.fail(line, what); }
    // A field's text for an error message: at most 80 characters of it.
    static QString excerpt(QByteArrayView field);

private:
    void readHeader();
    QString columnNames() const;

    const TableSchema::Layout& layout_;
    DelimitedReader reader_;
    QList<qsizetype> fieldOfColumn_; // for each column of the layout, its field in a row
};
