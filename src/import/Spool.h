#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QTemporaryFile>
#include <vector>

// Records written one after another into a temporary file and read back in the same order,
// so that what an import keeps between its passes does not stay in memory. A record is made
// of numbers and texts, read back in the order they were written. Records can also be read
// again from any one of them on, while the writing goes on.
class Spool {
public:
    // Records read again from one of them on, beside the writing and the reading in order.
    class Cursor {
    public:
        // Moves to the next record; false after the last one written so far.
        bool next();
        // The record's fields in the order they were written; texts stay valid until next().
        qint64 number();
        QByteArrayView text();

    private:
        friend class Spool;
        Cursor(Spool& spool, qint64 position, qsizetype chunk)
            : spool_(&spool), position_(position), chunk_(chunk) {}
        bool fill(qsizetype wanted);

        Spool* spool_;
        qint64 position_; // in the file of the first byte after buffer_
        qsizetype chunk_; // how much a read asks for
        QByteArray buffer_;
        qsizetype at_ = 0;
        qsizetype field_ = 0;
    };

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

    // A cursor before the record numbered `index` (from 0, in the order written), for reading
    // a few records, or many when `scan`.
    Cursor from(qint64 index, bool scan = false);

private:
    void put(const void* data, size_t size);
    void flush();
    bool fill(qsizetype wanted);
    // Copies the bytes of whole records written so far from `position` on, at most `size`.
    QByteArrayView readAt(qint64 position, qsizetype size, QByteArray& into);

    QTemporaryFile file_;
    // Writing: whole records, each after the place of its size, which endRecord() fills.
    std::vector<char> out_;
    size_t recordStart_ = 0;
    qint64 written_ = 0; // the bytes in the file, before out_
    // Where every 2^strideBits-th record begins: a cursor starts from the last one before its
    // record.
    static constexpr int strideBits = 6;
    std::vector<qint64> strides_;
    // Reading.
    QByteArray buffer_;
    qint64 records_ = 0;
    qsizetype at_ = 0;    // the next record in buffer_
    qsizetype field_ = 0; // the next field of the current record
};
