#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The folder of the running executable, byte for byte as the file system names it.
QByteArray executableFolderBytes() {
    QByteArray target(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", target.data(), size_t(target.size()));
    if (length <= 0 || length >= target.size())
        return {};
    target.truncate(length);
    return target.left(target.lastIndexOf('/'));
}

} // namespace

QString programFolder() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QByteArray bytes = executableFolderBytes();
    if (bytes.isEmpty() || QFile::encodeName(folder) == bytes)
        return folder;
    // Kept open for the run: the tables are opened through it whenever they are needed.
    const int descriptor = ::open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return descriptor < 0 ? folder : QStringLiteral("/proc/self/fd/%1").arg(descriptor);
}
