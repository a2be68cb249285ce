#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QTemporaryFile>
#include <vector>

// Records written one after another into a temporary file and read back in the same order,
// so that what an import keeps between its passes does not stay in memory. A record is made
// of numbers and texts, read back in the order they were written.
class Spool {
public:
    Spool();
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Writing: the fields of a record, then its end.
    void addNumber(qint64 value);
    void addText(QByteArrayView text);
    void endRecord();
    qint64 records() const { return records_; }

    // Ends the writing and goes back to the first record.
    void rewind();
    // Moves to the next record; false after the last.
    bool next();
    // The record's fields in the order they were written; texts stay valid until next().
    qint64 number();
    QByteArrayView text();

private:
    void put(const void* data, size_t size);
    void flush();
    bool fill(qsizetype wanted);

    QTemporaryFile file_;
    // Writing: whole records, each after the place of its size, which endRecord() fills.
    std::vector<char> out_;
    size_t recordStart_ = 0;
    // Reading.
    QByteArray buffer_;
    qint64 records_ = 0;
    qsizetype at_ = 0;    // the next record in buffer_
    qsizetype field_ = 0; // the next field of the current record
};
