#pragma once

#include "TableSchema.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <stdexcept>

// A bad input line: "file:line: what is wrong".
class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a UTF-8 tab-separated file whose header line names exactly the columns of a table
// layout, in any order and any letter case. Rows come back in the layout's column order.
class TsvReader {
public:
    TsvReader(const QString& path, const TableSchema::Layout& layout);

    // The next row, false at the end of the file. Throws ImportError for a bad line.
    bool next(QStringList& row);
    qint64 line() const { return line_; }
    [[noreturn]] void fail(const QString& what) const { fail(line_, what); }
    [[noreturn]] void fail(qint64 line, const QString& what) const;

    // Parses an integer field of the current row; `min` is the least value allowed.
    qint64 integer(const QString& text, const QString& column, qint64 min, qint64 max) const;

private:
    bool readLine(QString& text);
    void readHeader();

    QString path_;
    const TableSchema::Layout& layout_;
    QFile file_;
    QStringDecoder decoder_;
    qint64 line_ = 0;
    QList<int> columnOfField_;  // for each field of a line, its column in the layout
};
