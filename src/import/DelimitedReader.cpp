#include "import/DelimitedReader.h"

#include "import/ImportError.h"

#include <QCoreApplication>
#include <cstring>

namespace {
// Reads this large cost no more time than larger ones, and the block is held for the whole
// file.
constexpr qsizetype blockSize = 1 << 18;

bool isUtf8Name(const QByteArray& encoding) {
    const QByteArray name = encoding.toLower();
    return name.isEmpty() || name == "utf-8" || name == "utf8";
}

// The UTF-8 of converted text. A surrogate without its other half is written as the three
// bytes that would encode it, which no check of UTF-8 lets pass: the row that holds it is
// refused with its line, not kept with a replacement character.
QByteArray utf8Of(QStringView text) {
    QByteArray utf8;
    qsizetype from = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!text[at].isSurrogate())
            continue;
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            ++at;
            continue;
        }
        utf8 += text.sliced(from, at - from).toUtf8();
        const char16_t unit = text[at].unicode();
        utf8 += char(0xE0 | (unit >> 12));
        utf8 += char(0x80 | ((unit >> 6) & 0x3F));
        utf8 += char(0x80 | (unit & 0x3F));
        from = at + 1;
    }
    return utf8 + text.sliced(from).toUtf8();
}

// Whether bytes that are no valid UTF-8 hold an encoded surrogate (ED A0 to ED BF).
bool holdsSurrogate(QByteArrayView bytes) {
    for (qsizetype at = bytes.indexOf('\xED'); at >= 0 && at + 1 < bytes.size();
         at = bytes.indexOf('\xED', at + 1)) {
        if (quint8(bytes[at + 1]) >= 0xA0 && quint8(bytes[at + 1]) <= 0xBF)
            return true;
    }
    return false;
}

// Whether a CR stands in the bytes without an LF after it: lines that end in CR alone.
bool holdsLoneCr(QByteArrayView bytes) {
    for (qsizetype at = bytes.indexOf('\r'); at >= 0; at = bytes.indexOf('\r', at + 1)) {
        if (at + 1 == bytes.size() || bytes[at + 1] != '\n')
            return true;
    }
    return false;
}

// The whole file read as one line: its lines end in another way than the dialect declares.
QString crAlone(const TextDialect& dialect) {
    return dialect.declaredInMeta
               ? QCoreApplication::translate(
                     "DelimitedReader",
                     "řádky souboru končí samotným znakem CR; uložte ho s konci řádků LF nebo CR "
                     "LF (nebo to řekněte v meta.xml: linesTerminatedBy=\"\\r\")")
               : QCoreApplication::translate("DelimitedReader",
                                             "řádky souboru končí samotným znakem CR; uložte ho "
                                             "s konci řádků LF nebo CR LF");
}
} // namespace

DelimitedReader::DelimitedReader(std::unique_ptr<ByteSource> source, const TextDialect& dialect,
                                 const QString& name)
    : source_(std::move(source)), dialect_(dialect), name_(name), size_(source_->size()) {
    if (!isUtf8Name(dialect.encoding)) {
        decoder_ = std::make_unique<QStringDecoder>(dialect.encoding.constData());
        if (!decoder_->isValid())
            fail(0, QCoreApplication::translate("DelimitedReader", "kódování %1 neznáme")
                        .arg(QString::fromLatin1(dialect.encoding)));
    }
}

void DelimitedReader::fail(qint64 line, const QString& what) const {
    const QString where = line > 0 ? QStringLiteral("%1:%2").arg(name_).arg(line) : name_;
    throw ImportError(QStringLiteral("%1: %2").arg(where, what).toStdString());
}

bool DelimitedReader::readMore() {
    if (atEnd_)
        return false;
    // The unread bytes move to the front; a row longer than the block grows it.
    const qsizetype kept = blockEnd_ - unread_;
    if (kept > dialect_.longestRow)
        failOnLongRow(QByteArrayView(block_).sliced(unread_, kept), true);
    if (block_.isEmpty())
        block_.resize(blockSize);
    std::memmove(block_.data(), block_.constData() + unread_, size_t(kept));
    unread_ = 0;
    blockEnd_ = kept;
    if (block_.size() - kept < blockSize / 2)
        block_.resize(block_.size() * 2);

    qint64 read = 0;
    if (!decoder_) {
        read = source_->read(block_.data() + blockEnd_, block_.size() - blockEnd_);
        countRead(read);
        if (!started_ && blockEnd_ + read >= 2) {
            const QByteArrayView head(block_.constData() + blockEnd_, read);
            // A byte-order mark of UTF-16 tells the encoding whatever the archive declares.
            if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
                raw_ = head.toByteArray();
                decoder_ = std::make_unique<QStringDecoder>(QStringDecoder::Utf16);
                read = 0;
            }
        }
    }
    if (decoder_) {
        // Converted text: a raw block at a time, its UTF-8 appended behind the unread bytes.
        if (raw_.isEmpty()) {
            raw_.resize(blockSize / 4);
            const qint64 rawRead = source_->read(raw_.data(), raw_.size());
            countRead(rawRead);
            raw_.resize(rawRead);
        }
        QString text = heldSurrogate_ + decoder_->decode(raw_);
        if (decoder_->hasError())
            fail(line_,
                 QCoreApplication::translate("DelimitedReader", "text není platný v kódování %1")
                     .arg(QString::fromLatin1(dialect_.encoding)));
        // The two halves of a pair may come in two reads.
        heldSurrogate_.clear();
        if (!raw_.isEmpty() && !text.isEmpty() && text.back().isHighSurrogate()) {
            heldSurrogate_ = text.back();
            text.chop(1);
        }
        const QByteArray utf8 = utf8Of(text);
        if (block_.size() - blockEnd_ < utf8.size())
            block_.resize(blockEnd_ + utf8.size() + blockSize);
        std::memcpy(block_.data() + blockEnd_, utf8.constData(), size_t(utf8.size()));
        read = raw_.isEmpty() ? 0 : qMax<qint64>(utf8.size(), 1);
        blockEnd_ += utf8.size();
        raw_.clear();
        if (read == 0)
            atEnd_ = true;
        started_ = true;
        return read > 0 || blockEnd_ > kept;
    }
    blockEnd_ += read;
    if (!started_) {
        started_ = true;
        if (QByteArrayView(block_).first(blockEnd_).startsWith("\xEF\xBB\xBF"))
            unread_ = 3;
    }
    if (read == 0)
        atEnd_ = true;
    return read > 0;
}

void DelimitedReader::failOnLongRow(QByteArrayView row, bool unended) const {
    if (dialect_.lineEnd == '\n' && holdsLoneCr(row))
        fail(line_, crAlone(dialect_));
    const qsizetype mebibytes = dialect_.longestRow >> 20;
    // A row that the file does not end is mostly a quote left open.
    fail(line_, unended && dialect_.quote
                    ? QCoreApplication::translate("DelimitedReader",
                                                  "pole v uvozovkách se do %1 MiB neuzavřelo")
                          .arg(mebibytes)
                    : QCoreApplication::translate("DelimitedReader", "řádek je delší než %1 MiB")
                          .arg(mebibytes));
}

void DelimitedReader::countRead(qint64 read) {
    bytesRead_ += read;
    // A file cut short while it is read would otherwise pass for a shorter checklist.
    if (read == 0 && size_ >= 0 && bytesRead_ < size_)
        fail(line_, QCoreApplication::translate("DelimitedReader",
                                                "soubor se během čtení zkrátil z %1 na %2 bajtů")
                        .arg(size_)
                        .arg(bytesRead_));
}

// The end of the row that begins at `from` (the position of its line end), or -1 when the
// block ends first.
qsizetype DelimitedReader::findRowEnd(qsizetype from) const {
    const char* data = block_.constData();
    if (!dialect_.quote) {
        const void* end = std::memchr(data + from, dialect_.lineEnd, size_t(blockEnd_ - from));
        return end ? static_cast<const char*>(end) - data : -1;
    }
    bool quoted = false;
    bool fieldStart = true;
    for (qsizetype at = from; at < blockEnd_; ++at) {
        const char c = data[at];
        if (quoted) {
            if (c == dialect_.quote) {
                if (at + 1 == blockEnd_ && !atEnd_)
                    return -1; // a doubled quote may go on in the next block
                if (at + 1 < blockEnd_ && data[at + 1] == dialect_.quote)
                    ++at;
                else
                    quoted = false;
            }
        } else if (c == dialect_.lineEnd) {
            return at;
        } else {
            quoted = fieldStart && c == dialect_.quote;
            fieldStart = c == dialect_.separator;
        }
    }
    if (quoted && atEnd_)
        fail(line_, QCoreApplication::translate(
                        "DelimitedReader", "pole v uvozovkách se do konce souboru neuzavřelo"));
    return -1;
}

bool DelimitedReader::next() {
    for (;;) {
        qsizetype end;
        while ((end = findRowEnd(unread_)) < 0) {
            if (!readMore()) {
                end = findRowEnd(unread_); // at the end, a quote left open fails
                break;
            }
        }
        if (unread_ == blockEnd_ && end < 0)
            return false;
        // A line end of '\r' alone may still be followed by the '\n' of CR LF.
        if (end == blockEnd_ - 1 && dialect_.lineEnd == '\r' && !atEnd_) {
            readMore();
            continue;
        }
        const qsizetype rowEnd = end < 0 ? blockEnd_ : end;
        QByteArrayView row(block_.constData() + unread_, rowEnd - unread_);
        if (row.size() > dialect_.longestRow)
            failOnLongRow(row, false);
        rowLine_ = line_;
        const qint64 breaks = dialect_.quote ? row.count(dialect_.lineEnd) : 0;
        line_ += breaks + 1;
        unread_ = end < 0 ? blockEnd_ : end + 1;
        if (dialect_.lineEnd == '\r' && unread_ < blockEnd_ && block_[unread_] == '\n')
            ++unread_;
        if (row.endsWith('\r'))
            row.chop(1);
        if (!row.isValidUtf8())
            fail(rowLine_, holdsSurrogate(row)
                               ? QCoreApplication::translate(
                                     "DelimitedReader", "řádek obsahuje osamocenou polovinu páru "
                                                        "UTF-16 (surrogate), která není znak")
                               : QCoreApplication::translate("DelimitedReader",
                                                             "řádek není platný text UTF-8"));
        // The whole file read as its first line: its lines end in another way than declared.
        if (rowLine_ == 1 && dialect_.lineEnd == '\n' && holdsLoneCr(row))
            fail(rowLine_, crAlone(dialect_));
        if (row.contains('\0'))
            fail(rowLine_,
                 QCoreApplication::translate("DelimitedReader", "řádek obsahuje bajt NUL"));
        if (row.isEmpty())
            continue;
        if (dialect_.quote && row.contains(dialect_.quote))
            splitQuoted(row);
        else
            splitPlain(row);
        return true;
    }
}

void DelimitedReader::splitPlain(QByteArrayView row) {
    fields_.clear();
    const char* at = row.data();
    const char* const end = at + row.size();
    for (;;) {
        const char* separator =
            static_cast<const char*>(std::memchr(at, dialect_.separator, size_t(end - at)));
        if (!separator)
            break;
        fields_.push_back(QByteArrayView(at, separator));
        at = separator + 1;
    }
    fields_.push_back(QByteArrayView(at, end));
}

void DelimitedReader::splitQuoted(QByteArrayView row) {
    fields_.clear();
    // The fields are written one after another; the buffer never grows under the views.
    unquoted_.resize(row.size());
    char* out = unquoted_.data();
    qsizetype at = 0;
    for (;;) {
        const char* start = out;
        if (at < row.size() && row[at] == dialect_.quote) {
            for (++at; at < row.size(); ++at) {
                if (row[at] == dialect_.quote) {
                    if (at + 1 < row.size() && row[at + 1] == dialect_.quote)
                        ++at;
                    else
                        break;
                }
                *out++ = row[at];
            }
            ++at; // the closing quote
        }
        // Text after a closing quote, or a field without quotes, up to the separator.
        while (at < row.size() && row[at] != dialect_.separator)
            *out++ = row[at++];
        fields_.push_back(QByteArrayView(start, out - start));
        if (at >= row.size())
            break;
        ++at;
    }
}
