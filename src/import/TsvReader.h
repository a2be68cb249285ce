#pragma once

#include "import/ImportError.h"
#include "store/TableSchema.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QString>

// Reads a UTF-8 tab-separated file whose header line names exactly the columns of a table
// layout, in any order and any letter case. The file is read a block at a time, never whole,
// and a line may be at most 1 MiB long. Fields are views into the block, in the layout's column
// order, valid until the next row is read.
class TsvReader {
    Q_DECLARE_TR_FUNCTIONS(TsvReader)

public:
    TsvReader(const QString& path, const TableSchema::Layout& layout);

    // Moves to the next row; false at the end of the file. Throws ImportError for a bad line.
    bool next();
    QByteArrayView field(int column) const { return fields_[column]; }
    // A field holding a whole number from `min` to `max`.
    qint64 integer(int column, qint64 min, qint64 max) const;

    qint64 line() const { return line_; }
    // The bytes of the file taken by the rows so far, and the file's size (-1 for a pipe).
    qint64 bytesRead() const { return readSoFar_ - (blockEnd_ - unread_); }
    qint64 size() const { return size_; }
    [[noreturn]] void fail(const QString& what) const { fail(line_, what); }
    [[noreturn]] void fail(qint64 line, const QString& what) const;
    // A field's text for an error message: at most 80 characters of it.
    static QString excerpt(QByteArrayView field);

private:
    bool readLine(QByteArrayView& line);
    // Reads more of the file behind the unread bytes; false at the end of the file.
    bool readMore();
    void readHeader();
    [[noreturn]] void failOnLongLine() const;
    [[noreturn]] void failOnCrAlone(qint64 line) const;
    QString columnNames() const;

    QString path_;
    const TableSchema::Layout& layout_;
    QFile file_;
    QByteArray block_;       // bytes read from the file, of which ...
    qsizetype unread_ = 0;   // ... those from here on
    qsizetype blockEnd_ = 0; // up to here are still to be read
    qint64 line_ = 0;
    qint64 size_ = -1;  // the file's size when it was opened; -1 for a pipe
    qint64 readSoFar_ = 0;
    QList<int> columnOfField_; // for each field of a line, its column in the layout
    QList<QByteArrayView> fields_;
};
