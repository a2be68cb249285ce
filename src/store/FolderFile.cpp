#include "store/FolderFile.h"

#include "store/EngineError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString cannotWrite() {
    return QCoreApplication::translate("FolderFile", "Soubor nelze zapsat");
}

QString cannotFlush() {
    return QCoreApplication::translate("FolderFile", "Soubor nelze uložit na disk");
}

// Flushes the open file to the disk and gives it `mode`; the errno of a failure, else 0.
int flushWithMode(int fd, mode_t mode) {
    return ::fsync(fd) == 0 && ::fchmod(fd, mode) == 0 ? 0 : errno;
}

} // namespace

FolderFile::FolderFile(const QString& path, const char* suffix) : folder_(QFileInfo(path).path()) {
    QByteArray name = encoded(path) + ".XXXXXX" + suffix;
    // mkostemps creates with O_CREAT | O_EXCL, which refuses any link at the name.
    fd_ = ::mkostemps(name.data(), int(std::strlen(suffix)), O_CLOEXEC);
    if (fd_ < 0)
        fail(QCoreApplication::translate("FolderFile", "Ve složce nelze vytvořit soubor"), errno);
    path_ = QFile::decodeName(name);
}

FolderFile::~FolderFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!path_.isEmpty())
        ::unlink(encoded(path_).constData());
}

void FolderFile::fail(const QString& doing, int error) const {
    throw EngineError::ofSystem(doing, error, folder_, path_.isEmpty() ? folder_ : path_);
}

void FolderFile::write(QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(fd_, bytes.data(), size_t(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(cannotWrite(), written < 0 ? errno : ENOSPC);
        bytes = bytes.sliced(written);
    }
}

void FolderFile::copyFrom(const QString& source) {
    // The source's folder is only read: no cause of writing explains a failure here.
    const auto cannotRead = [&](int error) {
        return EngineError(EngineError::Cause::Unreadable,
                           QString::fromLocal8Bit(std::strerror(error)), source);
    };
    const int in = openRegularFile(source, true);
    if (in < 0 && errno == EINVAL)
        throw EngineError(EngineError::Cause::NotAFile, QString(), source);
    if (in < 0)
        throw cannotRead(errno);
    const auto closeSource = qScopeGuard([in] { ::close(in); });
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t read = ::read(in, block.data(), size_t(block.size()));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            throw cannotRead(errno);
        if (read == 0)
            return;
        write(QByteArrayView(block.constData(), read));
    }
}

void FolderFile::finish(mode_t mode) {
    if (const int error = flushWithMode(fd_, mode))
        fail(cannotFlush(), error);
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0)
        fail(cannotWrite(), errno);
}

void FolderFile::renameTo(const QString& path) {
    if (std::rename(encoded(path_).constData(), encoded(path).constData()) != 0)
        fail(QCoreApplication::translate("FolderFile", "Soubor nelze přejmenovat na %1")
                 .arg(QFileInfo(path).fileName()),
             errno);
    path_.clear();
}

void finishFileAt(const QString& path, mode_t mode) {
    const int fd = openRegularFile(path, false);
    const int error = fd < 0 ? errno : flushWithMode(fd, mode);
    if (fd >= 0)
        ::close(fd);
    if (error)
        throw EngineError::ofSystem(cannotFlush(), error, QFileInfo(path).path(), path);
}

int openRegularFile(const QString& path, bool followLink, qint64* size) {
    const int fd = ::open(encoded(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return -1;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    if (size)
        *size = status.st_size;
    return fd;
}

bool syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}
