#pragma once

#include "import/ByteSource.h"
#include "import/TextDialect.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <memory>
#include <vector>

// Reads the rows of a delimited text file in the dialect given, a block at a time, never the
// whole file: fields separated by one byte; when the dialect has a quote, fields enclosed in
// it may hold separators, line breaks and doubled quotes. A line may also end in CR LF where
// LF is declared; a vertical tab or any other control byte inside a field is text. Blank lines
// are no rows. Text in another encoding than UTF-8 (named by the dialect, or UTF-16 with a
// byte-order mark) is converted to UTF-8 as it is read. A file that ends before the size it
// had when it was opened, and a row longer than the dialect's longest, are errors. Fields are
// views into the reader, valid until the next row is read.
class DelimitedReader {
public:
    DelimitedReader(std::unique_ptr<ByteSource> source, const TextDialect& dialect,
                    const QString& name);

    // Moves to the next row; false at the end. Throws ImportError naming the file and line.
    bool next();
    qsizetype fieldCount() const { return qsizetype(fields_.size()); }
    // A field of the row; empty beyond the row's last field.
    QByteArrayView field(qsizetype index) const {
        return index < fieldCount() ? fields_[size_t(index)] : QByteArrayView();
    }
    // The line on which the row begins.
    qint64 line() const { return rowLine_; }
    const QString& name() const { return name_; }
    // How far the file has been read, for progress: bytes read and the file's size (-1 when
    // not known).
    qint64 bytesRead() const { return bytesRead_; }
    qint64 size() const { return size_; }

    [[noreturn]] void fail(qint64 line, const QString& what) const;

private:
    bool readMore();
    // Fails on a row longer than the dialect allows, whose bytes so far are `row`; `unended`
    // when no line end has been found for it.
    [[noreturn]] void failOnLongRow(QByteArrayView row, bool unended) const;
    void countRead(qint64 read);
    qsizetype findRowEnd(qsizetype from) const;
    void splitPlain(QByteArrayView row);
    void splitQuoted(QByteArrayView row);

    std::unique_ptr<ByteSource> source_;
    TextDialect dialect_;
    QString name_;
    std::unique_ptr<QStringDecoder> decoder_; // for text that is not UTF-8
    // A high surrogate that ended the converted text, kept for its low half in the next read.
    QString heldSurrogate_;
    bool started_ = false; // the first bytes (and a byte-order mark) have been read
    bool atEnd_ = false;
    QByteArray block_;
    QByteArray raw_; // bytes before conversion
    qsizetype unread_ = 0;
    qsizetype blockEnd_ = 0;
    qint64 line_ = 1; // the line at unread_
    qint64 rowLine_ = 0;
    qint64 bytesRead_ = 0;
    qint64 size_ = -1;
    std::vector<QByteArrayView> fields_;
    QByteArray unquoted_; // fields whose quotes were taken off
};
