#include "shell/RegistryKey.h"
#include "shell/RegistryFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <chrono>
#include <memory>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// QLockFile's own waiting doubles its pauses, so a copy writing many values in a row could
// starve another one; short even pauses give both their turn.
constexpr auto lockPoll = 5ms;

[[noreturn]] void failWrite(const QString& file, const QString& reason) {
    throw SettingsWriteError(QStringLiteral("Cannot write %1: %2").arg(file, reason));
}

// A lock left by a copy on this machine that no longer runs is taken at once; QLockFile never
// takes one whose owner still runs, however old.
std::unique_ptr<QLockFile> lockKey(const QString& file, const KeyLockTimes& times) {
    auto lock = std::make_unique<QLockFile>(file + QStringLiteral(".lock"));
    lock->setStaleLockTime(times.staleAfter);
    const QDeadlineTimer deadline(times.wait);
    while (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            failWrite(file, QStringLiteral("cannot create the lock file %1").arg(file + ".lock"));
        if (deadline.hasExpired())
            failWrite(
                file,
                QStringLiteral("another running copy holds the lock file %1").arg(file + ".lock"));
        std::this_thread::sleep_for(lockPoll);
    }
    return lock;
}

// At most one byte more than a key may hold, which tells a key too large to read: a huge
// file is never read whole.
std::optional<QByteArray> readKeyFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(RegistryFile::maxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// QSaveFile writes a temporary file beside the key, flushes it to disk and renames it over
// the key, so readers see the old file or the new one, never half of one.
void replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // The owner writes the key and every user may read it, whatever the writer's umask.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther) ||
        !file.commit())
        failWrite(path, file.errorString());
}

// Keeps every byte of a key too large to read, which a rewrite would lose; an older backup is
// replaced.
void backUp(const QString& path) {
    const QString backup = path + QStringLiteral(".bad");
    QFile file(path);
    QSaveFile copy(backup);
    if (!file.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
        failWrite(path,
                  QStringLiteral("cannot back up the file, too large to read, to %1").arg(backup));
    for (QByteArray chunk; !(chunk = file.read(1 << 16)).isEmpty();)
        copy.write(chunk);
    if (file.error() != QFileDevice::NoError || !copy.commit())
        failWrite(path,
                  QStringLiteral("cannot back up the file, too large to read, to %1").arg(backup));
}

} // namespace

QString RegistryKey::rootFolder() {
    for (const char* variable : {"NARDEL_SETTINGS_ROOT", "XDG_CONFIG_HOME"}) {
        const QString folder = qEnvironmentVariable(variable);
        if (!folder.isEmpty())
            return folder;
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

bool RegistryKey::mayWrite(const QString& folder) {
    QString existing = QFileInfo(folder).absoluteFilePath();
    while (!QFileInfo::exists(existing) && !QDir(existing).isRoot())
        existing = QFileInfo(existing).path();
    return ::access(QFile::encodeName(existing).constData(), W_OK) == 0;
}

RegistryKey::RegistryKey(const QString& keyPath, const QString& root, KeyLockTimes lockTimes)
    : m_keyPath(keyPath), m_file(QDir::cleanPath(root + '/' + keyPath + QStringLiteral(".reg"))),
      m_lockTimes(lockTimes) {}

QString RegistryKey::folder() const {
    return QFileInfo(m_file).path();
}

QString RegistryKey::keyName() const {
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + QString(m_keyPath).replace('/', '\\');
}

bool RegistryKey::open(Access access) {
    close();
    if (access == Access::All) {
        if (!mayWrite(folder()) || !QDir().mkpath(folder()))
            return false;
        try {
            // Under the lock, so a copy starting at the same time cannot replace a value
            // just written with an empty key.
            const auto lock = lockKey(m_file, m_lockTimes);
            if (!QFileInfo::exists(m_file))
                replaceFile(m_file, RegistryFile().write(keyName()));
        } catch (const SettingsWriteError&) {
            return false;
        }
    }
    QFile file(m_file);
    if (!QFileInfo(m_file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    m_access = access;
    return true;
}

std::optional<RegistryKey::Access> RegistryKey::openAsAllowed() {
    const Access access = mayWrite(folder()) ? Access::All : Access::Read;
    return open(access) ? std::optional(access) : std::nullopt;
}

std::optional<RegistryValue> RegistryKey::value(const QString& name) const {
    const auto bytes = m_access ? readKeyFile(m_file) : std::nullopt;
    return bytes ? RegistryFile::parse(*bytes).value(name) : std::nullopt;
}

void RegistryKey::setValue(const QString& name, const RegistryValue& value) {
    if (m_access != Access::All)
        throw SettingsWriteError(
            (m_access ? QStringLiteral("The settings key is open for reading only: %1")
                      : QStringLiteral("The settings key is not open: %1"))
                .arg(m_file));
    if (!RegistryFile::isWritableName(name))
        failWrite(m_file, QStringLiteral("the value name cannot stand on a line of the file"));
    const auto lock = lockKey(m_file, m_lockTimes);
    // Read again under the lock, so values another copy wrote since are kept.
    RegistryFile contents;
    if (QFileInfo::exists(m_file)) {
        const auto bytes = readKeyFile(m_file);
        if (!bytes)
            failWrite(m_file, QStringLiteral("the file cannot be read"));
        if (bytes->size() > RegistryFile::maxSize)
            backUp(m_file);
        contents = RegistryFile::parse(*bytes);
    }
    contents.setValue(name, value);
    replaceFile(m_file, contents.write(keyName()));
}
