#include "import/Spool.h"

#include "import/ImportError.h"

#include <QCoreApplication>
#include <QDir>
#include <cstring>

namespace {
constexpr qsizetype bufferSize = 1 << 18;

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
