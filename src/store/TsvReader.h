#pragma once

#include "store/TableImport.h"
#include "store/TableSchema.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QString>

// Reads a UTF-8 tab-separated file whose header line names exactly the columns of a table
// layout, in any order and any letter case. Fields are views into the file's bytes, in the
// layout's column order, valid until the next row is read.
class TsvReader {
public:
    TsvReader(const QString& path, const TableSchema::Layout& layout);

    // Moves to the next row; false at the end of the file. Throws ImportError for a bad line.
    bool next();
    QByteArrayView field(int column) const { return fields_[column]; }
    // A field holding a whole number from `min` to `max`.
    qint64 integer(int column, qint64 min, qint64 max) const;

    qint64 line() const { return line_; }
    [[noreturn]] void fail(const QString& what) const { fail(line_, what); }
    [[noreturn]] void fail(qint64 line, const QString& what) const;

private:
    bool readLine(QByteArrayView& line);
    void readHeader();

    QString path_;
    const TableSchema::Layout& layout_;
    QFile file_;
    QByteArray contents_; // the file's bytes when it cannot be mapped
    QByteArrayView rest_; // what is still to read
    qint64 line_ = 0;
    QList<int> columnOfField_; // for each field of a line, its column in the layout
    QList<QByteArrayView> fields_;
};
