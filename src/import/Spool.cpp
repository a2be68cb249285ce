#include "import/Spool.h"

#include "import/ImportError.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr qsizetype bufferSize = 1 << 16;

[[noreturn]] void fail(const QFile& file, const QString& what) {
    throw ImportError(QCoreApplication::translate("Spool", "%1: dočasný soubor importu: %2")
                          .arg(file.fileName(), what)
                          .toStdString());
}

// Why writing the file failed. A write cut short reports no error of its own: it ran out of
// room, as one that failed on a full disk (a resource error) did.
[[noreturn]] void failWriting(const QFile& file) {
    if (file.error() != QFileDevice::NoError && file.error() != QFileDevice::ResourceError)
        fail(file, file.errorString());
    fail(file, QCoreApplication::translate(
                   "Spool", "na disku pro dočasné soubory není místo. Uvolněte místo, nebo "
                            "proměnnou TMPDIR určete jinou složku."));
}
} // namespace

Spool::Spool() : file_(QDir::tempPath() + QStringLiteral("/nardel-import-XXXXXX")) {
    if (!file_.open())
        fail(file_, file_.errorString());
    out_.reserve(bufferSize);
    out_.resize(sizeof(qint64));
}

// Plain copies: a million rows write a few numbers and texts each.
void Spool::put(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    out_.insert(out_.end(), bytes, bytes + size);
}

void Spool::flush() {
    const qint64 size = qint64(recordStart_);
    if (file_.write(out_.data(), size) != size)
        failWriting(file_);
    written_ += size;
    out_.erase(out_.begin(), out_.begin() + qsizetype(recordStart_));
    recordStart_ = 0;
}

void Spool::addNumber(qint64 value) {
    put(&value, sizeof value);
}

void Spool::addText(QByteArrayView text) {
    addNumber(text.size());
    put(text.data(), size_t(text.size()));
}

void Spool::endRecord() {
    if ((records_ & ((qint64(1) << strideBits) - 1)) == 0)
        strides_.push_back(written_ + qint64(recordStart_));
    const qint64 size = qint64(out_.size() - recordStart_ - sizeof size);
    std::memcpy(out_.data() + recordStart_, &size, sizeof size);
    recordStart_ = out_.size();
    if (recordStart_ >= size_t(bufferSize))
        flush();
    out_.resize(recordStart_ + sizeof size);
    ++records_;
}

void Spool::rewind() {
    if (!out_.empty()) {
        flush();
        decltype(out_)().swap(out_); // the writing is over
    }
    // Going back writes what the file still buffers.
    if (!file_.seek(0))
        failWriting(file_);
    buffer_.clear();
    at_ = 0;
}

// Makes `wanted` bytes from at_ on stand in the buffer; false at the end of the file.
bool Spool::fill(qsizetype wanted) {
    if (buffer_.size() - at_ >= wanted)
        return true;
    buffer_.remove(0, at_);
    at_ = 0;
    const qsizetype kept = buffer_.size();
    buffer_.resize(std::max(bufferSize, wanted));
    const qint64 read = file_.read(buffer_.data() + kept, buffer_.size() - kept);
    if (read < 0)
        fail(file_, file_.errorString());
    buffer_.resize(kept + read);
    return buffer_.size() >= wanted;
}

bool Spool::next() {
    if (!fill(sizeof(qint64))) {
        if (!buffer_.isEmpty())
            fail(file_, QCoreApplication::translate("Spool", "končí uprostřed záznamu"));
        return false;
    }
    qint64 size = 0;
    std::memcpy(&size, buffer_.constData() + at_, sizeof size);
    at_ += sizeof size;
    if (!fill(size))
        fail(file_, QCoreApplication::translate("Spool", "končí uprostřed záznamu"));
    field_ = at_;
    at_ += size;
    return true;
}

qint64 Spool::number() {
    qint64 value = 0;
    std::memcpy(&value, buffer_.constData() + field_, sizeof value);
    field_ += sizeof value;
    return value;
}

QByteArrayView Spool::text() {
    const qint64 size = number();
    const QByteArrayView text(buffer_.constData() + field_, size);
    field_ += size;
    return text;
}

QByteArrayView Spool::readAt(qint64 position, qsizetype size, QByteArray& into) {
    const qint64 end = written_ + qint64(out_.empty() ? 0 : recordStart_);
    size = qsizetype(std::clamp<qint64>(end - position, 0, size));
    into.resize(size);
    qsizetype done = 0;
    if (position < written_) {
        // What the file object still buffers goes to the file first; pread keeps the place
        // of the reading in order.
        if (!file_.flush())
            failWriting(file_);
        const qsizetype fromFile = qsizetype(std::min<qint64>(written_ - position, size));
        while (done < fromFile) {
            const ssize_t read = ::pread(file_.handle(), into.data() + done,
                                         size_t(fromFile - done), position + done);
            if (read <= 0)
                fail(file_, read < 0
                                ? QString::fromLocal8Bit(std::strerror(errno))
                                : QCoreApplication::translate("Spool", "končí uprostřed záznamu"));
            done += read;
        }
    }
    if (done < size)
        std::memcpy(into.data() + done, out_.data() + (position + done - written_),
                    size_t(size - done));
    return into;
}

Spool::Cursor Spool::from(qint64 index, bool scan) {
    Cursor cursor(*this, strides_.empty() ? 0 : strides_[size_t(index >> strideBits)],
                  scan ? bufferSize : 1 << 12);
    for (qint64 skip = index & ((qint64(1) << strideBits) - 1); skip > 0; --skip)
        cursor.next();
    return cursor;
}

bool Spool::Cursor::fill(qsizetype wanted) {
    if (buffer_.size() - at_ >= wanted)
        return true;
    buffer_.remove(0, at_);
    at_ = 0;
    QByteArray more;
    const QByteArrayView read =
        spool_->readAt(position_, std::max(chunk_, wanted - buffer_.size()), more);
    buffer_.append(read);
    position_ += read.size();
    return buffer_.size() >= wanted;
}

bool Spool::Cursor::next() {
    if (!fill(sizeof(qint64)))
        return false;
    qint64 size = 0;
    std::memcpy(&size, buffer_.constData() + at_, sizeof size);
    if (!fill(qsizetype(sizeof size) + size))
        return false;
    field_ = at_ + qsizetype(sizeof size);
    at_ = field_ + size;
    return true;
}

qint64 Spool::Cursor::number() {
    qint64 value = 0;
    std::memcpy(&value, buffer_.constData() + field_, sizeof value);
    field_ += sizeof value;
    return value;
}

QByteArrayView Spool::Cursor::text() {
    const qint64 size = number();
    const QByteArrayView text(buffer_.constData() + field_, size);
    field_ += size;
    return text;
}
