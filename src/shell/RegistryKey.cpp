#include "shell/RegistryKey.h"
#include "platform/PathKind.h"
#include "shell/RegistryFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <algorithm>
#include <chrono>
#include <memory>
#include <pwd.h>
#include <sys/statvfs.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// QLockFile's own waiting doubles its pauses, so a copy writing many values in a row could
// starve another one; short even pauses give both their turn.
constexpr auto lockPoll = 5ms;

// The reason, in whole sentences that say what to do, then the key file, if there is one.
[[noreturn]] void failWrite(const QString& file, const QString& reason) {
    throw SettingsWriteError(
        file.isEmpty() ? reason
                       : reason + u'\n' + RegistryKey::tr("Soubor nastavení: %1").arg(file));
}

// What stands at `path` in the way of a file, if anything: writing there would write through
// a link, and reading a FIFO or a device may never end. `role` names the file in the
// genitive: "souboru nastavení".
std::optional<QString> whatIsInTheWay(const QString& role, const QString& path) {
    const auto other = otherThingAt(path);
    if (!other)
        return std::nullopt;
    return RegistryKey::tr("Na místě %1 %2 je %3, ne obyčejný soubor. Odstraňte nebo "
                           "přejmenujte to, co tam je.")
        .arg(role, path, *other);
}

void requireFileOrNothing(const QString& file, const QString& path, const QString& role) {
    if (const auto why = whatIsInTheWay(role, path))
        failWrite(file, *why);
}

QString keyFileRole() {
    return RegistryKey::tr("souboru nastavení");
}

// QLockFile does not say why it could not create its file; the folder's file system does.
QString whyNoLock(const QString& lockPath) {
    const QString folder = QFileInfo(lockPath).path();
    struct statvfs fileSystem {};
    if (::statvfs(QFile::encodeName(folder).constData(), &fileSystem) == 0) {
        if (fileSystem.f_flag & ST_RDONLY)
            return RegistryKey::tr("Souborový systém se složkou nastavení %1 je připojen jen pro "
                                   "čtení. Připojte jej pro zápis, nebo nastavte proměnnou "
                                   "XDG_CONFIG_HOME na složku, do které lze zapisovat.")
                .arg(folder);
        // Some file systems count no inodes at all.
        if (fileSystem.f_bavail == 0 || (fileSystem.f_files > 0 && fileSystem.f_favail == 0))
            return RegistryKey::tr("Na disku se složkou nastavení %1 není místo. Uvolněte "
                                   "místo; nastavení se uloží při příštím zavření programu.")
                .arg(folder);
    }
    return RegistryKey::tr("Nelze vytvořit zámek nastavení %1. Zkontrolujte, že do jeho složky "
                           "smíte zapisovat.")
        .arg(lockPath);
}

// A lock left by a copy on this machine that no longer runs is taken at once; QLockFile never
// takes one whose owner still runs, however old.
std::unique_ptr<QLockFile> lockKey(const QString& file, const KeyLockTimes& times) {
    const QString lockPath = file + QStringLiteral(".lock");
    // QLockFile reads what stands at its path, and at the path of the second lock that it
    // takes to remove a stale one.
    const QString role = RegistryKey::tr("zámku nastavení");
    requireFileOrNothing(file, lockPath, role);
    requireFileOrNothing(file, lockPath + QStringLiteral(".rmlock"), role);
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(times.staleAfter);
    const QDeadlineTimer deadline(times.wait);
    while (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            failWrite(file, whyNoLock(lockPath));
        if (deadline.hasExpired())
            failWrite(file, RegistryKey::tr("Nastavení právě zapisuje jiná spuštěná kopie programu "
                                            "(zámek %1). Počkejte, až skončí; nastavení se "
                                            "uloží při příštím zavření programu.")
                                .arg(lockPath));
        std::this_thread::sleep_for(lockPoll);
    }
    return lock;
}

// QSaveFile writes beside the file it replaces, under that file's name and six random letters
// (or digits), and renames at the end: a copy killed before the rename leaves that file behind.
bool isLeftoverOf(QStringView name, QStringView file) {
    if (!name.startsWith(file))
        return false;
    QStringView rest = name.sliced(file.size());
    if (rest.startsWith(u".bad."))
        rest = rest.sliced(4);
    return rest.size() == 7 && rest[0] == u'.' &&
           std::all_of(rest.begin() + 1, rest.end(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}

// Called under the lock, so no running copy is writing one.
void removeLeftovers(const QString& file) {
    const QFileInfo key(file);
    const QFileInfoList candidates = QDir(key.path()).entryInfoList(QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& candidate : candidates)
        if (isLeftoverOf(candidate.fileName(), key.fileName()))
            QFile::remove(candidate.filePath());
}

// At most one byte more than a key may hold, which tells a key too large to read: a huge
// file is never read whole. Read by the file's size, as a read sets its buffer to the size it
// asks for; on to the limit only when the file has grown since.
std::optional<QByteArray> readKeyFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 limit = RegistryFile::maxSize + 1;
    const qint64 wanted = std::min(file.size() + 1, limit);
    QByteArray bytes = file.read(wanted);
    if (bytes.size() == wanted && wanted < limit)
        bytes += file.read(limit - wanted);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// QSaveFile writes a temporary file beside the key, flushes it to disk and renames it over
// the key, so readers see the old file or the new one, never half of one.
void replaceFile(const QString& path, const QByteArray& bytes) {
    requireFileOrNothing(path, path, keyFileRole());
    QSaveFile file(path);
    // The owner writes the key and every user may read it, whatever the writer's umask.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther) ||
        !file.commit())
        // The system's own words follow, for whoever looks into it.
        failWrite(path, RegistryKey::tr("Soubor nastavení nelze zapsat. Zkontrolujte, že do "
                                        "jeho složky smíte zapisovat a že je na disku místo.\n%1")
                            .arg(file.errorString()));
}

QString tooLargeToBackUp(const QString& backup) {
    return RegistryKey::tr("Soubor nastavení je příliš velký na čtení a nelze jej zálohovat do "
                           "%1. Přesuňte jej jinam; program pak založí nový.")
        .arg(backup);
}

// Keeps every byte of a key too large to read, which a rewrite would lose; an older backup is
// replaced.
void backUp(const QString& path) {
    const QString backup = path + QStringLiteral(".bad");
    requireFileOrNothing(path, backup, RegistryKey::tr("zálohy nastavení"));
    QFile file(path);
    QSaveFile copy(backup);
    if (!file.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
        failWrite(path, tooLargeToBackUp(backup));
    for (QByteArray chunk; !(chunk = file.read(1 << 16)).isEmpty();)
        copy.write(chunk);
    if (file.error() != QFileDevice::NoError || !copy.commit())
        failWrite(path, tooLargeToBackUp(backup));
}

// $HOME, else the account's home in the password database; empty when neither names one.
QString homeFolder() {
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    const passwd* account = ::getpwuid(::getuid());
    return account && account->pw_dir && *account->pw_dir
               ? QDir::cleanPath(QFile::decodeName(account->pw_dir))
               : QString();
}

} // namespace

QString RegistryKey::rootFolder() {
    for (const char* variable : {"NARDEL_SETTINGS_ROOT", "XDG_CONFIG_HOME"}) {
        const QString folder = qEnvironmentVariable(variable);
        if (!folder.isEmpty())
            return folder;
    }
    const QString home = homeFolder();
    return home.isEmpty() ? QString() : home + QStringLiteral("/.config");
}

bool RegistryKey::mayWrite(const QString& folder) {
    if (folder.isEmpty())
        return false;
    QString existing = QFileInfo(folder).absoluteFilePath();
    while (!QFileInfo::exists(existing) && !QDir(existing).isRoot())
        existing = QFileInfo(existing).path();
    return ::access(QFile::encodeName(existing).constData(), W_OK) == 0;
}

RegistryKey::RegistryKey(const QString& keyPath, const QString& root, KeyLockTimes lockTimes)
    : m_keyPath(keyPath),
      m_file(root.isEmpty() ? QString()
                            : QDir::cleanPath(root + '/' + keyPath + QStringLiteral(".reg"))),
      m_lockTimes(lockTimes) {}

QString RegistryKey::folder() const {
    return m_file.isEmpty() ? QString() : QFileInfo(m_file).path();
}

QString RegistryKey::keyName() const {
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + QString(m_keyPath).replace('/', '\\');
}

bool RegistryKey::open(Access access) {
    close();
    if (m_file.isEmpty())
        return false;
    if (access == Access::All) {
        if (!mayWrite(folder()) || !QDir().mkpath(folder()))
            return false;
        try {
            prepareForWrites();
        } catch (const SettingsWriteError&) {
            // Each write meets the cause again and names it; the key can still be read.
        }
    }
    const QFileInfo key(m_file);
    const bool readable = key.isFile() && QFile(m_file).open(QIODevice::ReadOnly);
    // A key that could not be created, or a link in its place, is open for writes that say why
    // they fail.
    const bool writesSayWhy = access == Access::All && (!key.exists() || key.isSymLink());
    if (!readable && !writesSayWhy)
        return false;
    m_access = access;
    return true;
}

void RegistryKey::prepareForWrites() {
    // Under the lock, so a copy starting at the same time cannot replace a value just written
    // with an empty key, and no temporary file of a running copy is taken for a leftover.
    const auto lock = lockKey(m_file, m_lockTimes);
    removeLeftovers(m_file);
    if (!QFileInfo::exists(m_file))
        replaceFile(m_file, RegistryFile().write(keyName()));
}

std::optional<RegistryKey::Access> RegistryKey::openAsAllowed() {
    const Access access = mayWrite(folder()) ? Access::All : Access::Read;
    return open(access) ? std::optional(access) : std::nullopt;
}

std::optional<RegistryValue> RegistryKey::value(const QString& name) const {
    const auto bytes = m_access ? readKeyFile(m_file) : std::nullopt;
    return bytes ? RegistryFile::parse(*bytes).value(name) : std::nullopt;
}

QString RegistryKey::whyNotWritable() const {
    if (m_file.isEmpty())
        return tr("Pro nastavení není složka: proměnná HOME není nastavena a účet nemá domovskou "
                  "složku. Nastavte proměnnou HOME nebo XDG_CONFIG_HOME.");
    if (const auto why = whatIsInTheWay(keyFileRole(), m_file))
        return *why;
    if (!mayWrite(folder()))
        return tr("Do složky nastavení %1 nelze zapisovat: je jen pro čtení, nebo k ní nemáte "
                  "právo zápisu. Povolte si zápis do ní, nebo nastavte proměnnou "
                  "XDG_CONFIG_HOME na složku, do které zapisovat smíte.")
            .arg(folder());
    return m_access ? tr("Soubor nastavení je otevřen jen pro čtení. Zavřete program a spusťte "
                         "jej znovu.")
                    : tr("Soubor nastavení není otevřen. Zavřete program a spusťte jej znovu.");
}

void RegistryKey::setValue(const QString& name, const RegistryValue& value) {
    if (m_access != Access::All)
        failWrite(m_file, whyNotWritable());
    if (!RegistryFile::isWritableName(name))
        failWrite(m_file, tr("Název hodnoty „%1“ nelze zapsat na jeden řádek souboru.").arg(name));
    const auto lock = lockKey(m_file, m_lockTimes);
    // Read again under the lock, so values another copy wrote since are kept.
    RegistryFile contents;
    if (QFileInfo::exists(m_file)) {
        const auto bytes = readKeyFile(m_file);
        if (!bytes)
            failWrite(m_file, tr("Soubor nastavení nelze číst. Zkontrolujte, že jej smíte číst."));
        if (bytes->size() > RegistryFile::maxSize)
            backUp(m_file);
        contents = RegistryFile::parse(*bytes);
    }
    contents.setValue(name, value);
    replaceFile(m_file, contents.write(keyName()));
}
