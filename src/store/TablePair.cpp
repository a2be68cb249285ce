#include "store/TablePair.h"

#include "store/EngineError.h"
#include "store/FolderFile.h"
#include "store/TableSchema.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

const QString lockName = QStringLiteral(".nardel-import.lock");
const QString swapName = QStringLiteral(".nardel-import.swap");
// A record names two files in two lines: anything larger is no record of ours.
constexpr qsizetype recordLimit = 4096;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// The files of the pair.
const QStringList& tableFiles() {
    static const QStringList files{TableSchema::names().tableFile,
                                   TableSchema::synonyms().tableFile};
    return files;
}

// A name that FolderFile or QTemporaryFile made beside `name`: the name, a dot, six letters
// or digits, then `suffix`.
bool isMadeBeside(QStringView file, QStringView name, QStringView suffix) {
    if (file.size() != name.size() + 7 + suffix.size() || !file.startsWith(name) ||
        !file.endsWith(suffix) || file[name.size()] != u'.')
        return false;
    const QStringView random = file.sliced(name.size() + 1, 6);
    return std::all_of(random.begin(), random.end(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}

// A writer's temporary table file.
bool isTemporaryOf(QStringView temporary, const QString& tableFile) {
    return isMadeBeside(temporary, tableFile, u".tmp");
}

// What a killed import or copy leaves beside the record: temporary table files, and a record
// not yet renamed.
bool isLeftover(QStringView name) {
    return isMadeBeside(name, swapName, {}) ||
           std::any_of(tableFiles().begin(), tableFiles().end(),
                       [name](const QString& file) { return isTemporaryOf(name, file); });
}

QStringList leftoversIn(const QDir& folder) {
    QStringList found = folder.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    found.removeIf([](const QString& name) { return !isLeftover(name); });
    return found;
}

bool isRegularFile(const QString& path) {
    struct stat status {};
    return ::lstat(encoded(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

// The swap record's bytes, or none when there is none. Anything but a small regular file at
// the record's name (a link, a pipe, a device, a large file) is none of ours: it is never
// opened blocking nor read, only named, and the next record replaces it.
std::optional<QByteArray> readRecord(const QDir& folder) {
    const QString path = folder.filePath(swapName);
    const auto ignored = [&path] {
        qWarning("nardel: %s",
                 qPrintable(QCoreApplication::translate(
                                "TablePair", "%1 není záznam o výměně tabulek (je to odkaz, "
                                             "roura, zařízení nebo velký soubor), program si ho "
                                             "nevšímá")
                                .arg(path)));
        return std::nullopt;
    };
    qint64 fileSize = 0;
    const int fd = openRegularFile(path, false, &fileSize);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        return ignored();
    }
    const auto closeRecord = qScopeGuard([fd] { ::close(fd); });
    if (fileSize > recordLimit)
        return ignored();
    QByteArray bytes(recordLimit + 1, Qt::Uninitialized);
    qsizetype size = 0;
    while (size < bytes.size()) {
        const ssize_t read = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return ignored();
        if (read == 0)
            break;
        size += read;
    }
    if (size > recordLimit)
        return ignored();
    bytes.truncate(size);
    return bytes;
}

// Renames the temporary files that the swap record names and that are still there, then
// removes the record. Every file the record names was complete and on the disk before the
// record was written, so completing the swap is always right. Returns whether there was a
// record; throws EngineError, keeping the record, when a file cannot take its name.
bool completeSwap(const QDir& folder) {
    const std::optional<QByteArray> record = readRecord(folder);
    if (!record)
        return false;
    for (const QByteArray& line : record->split('\n')) {
        const QList<QByteArray> names = line.split('\t');
        if (names.size() != 2)
            continue;
        const QString temporary = QFile::decodeName(names[0]);
        const QString final = QFile::decodeName(names[1]);
        if (!tableFiles().contains(final) || !isTemporaryOf(temporary, final) ||
            !isRegularFile(folder.filePath(temporary)))
            continue;
        if (std::rename(encoded(folder.filePath(temporary)).constData(),
                        encoded(folder.filePath(final)).constData()) != 0)
            throw EngineError::ofSystem(
                QCoreApplication::translate("TablePair",
                                            "Soubor %1 nelze přejmenovat na jeho konečné jméno")
                    .arg(temporary),
                errno, folder.path(), folder.filePath(final));
    }
    syncFolder(folder.path());
    ::unlink(encoded(folder.filePath(swapName)).constData());
    return true;
}

// Removes what killed imports and copies left. Only while the lock is held, when no import of
// the folder is writing one; unlink() removes a link itself, never what it points to.
void removeLeftovers(const QDir& folder) {
    for (const QString& name : leftoversIn(folder))
        ::unlink(encoded(folder.filePath(name)).constData());
}

// A temporary table file and the name it takes.
using Renaming = std::pair<QString, QString>;

// Writes the record of a swap, flushed to the disk with the folder, before the first rename.
void writeSwapRecord(const QString& folder, const Renaming& names, const Renaming& synonyms) {
    const QString path = QDir(folder).filePath(swapName);
    QByteArray lines;
    for (const auto& [temporary, final] : {names, synonyms})
        lines += encoded(QFileInfo(temporary).fileName()) + '\t' +
                 encoded(QFileInfo(final).fileName()) + '\n';
    FolderFile record(path, "");
    record.write(lines);
    record.finish(tableFileMode);
    record.renameTo(path);
    if (!syncFolder(folder))
        throw EngineError::ofSystem(
            QCoreApplication::translate("TablePair", "Záznam o výměně tabulek nelze zapsat"), errno,
            folder, path);
}

QString newStamp() {
    return QStringLiteral("%1 %2")
        .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

} // namespace

// The folder's import lock: an advisory lock on a file of its own, released by the system
// when the process ends in any way.
class TablePair::Lock {
public:
    explicit Lock(const QString& folder) : path_(QDir(folder).filePath(lockName)) {
        // Whatever stands at the lock's path, opening it must neither follow a link nor block.
        fd_ = ::open(encoded(path_).constData(),
                     O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        error_ = fd_ < 0 ? errno : 0;
        struct stat status {};
        if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)))
            release(EEXIST);
        else if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0)
            release(EWOULDBLOCK);
    }
    ~Lock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    bool held() const { return fd_ >= 0; }
    // Throws EngineError, naming the cause, unless the lock is held.
    void require() const {
        if (error_ == EWOULDBLOCK)
            throw EngineError(EngineError::Cause::ImportRunning, QString(), path_);
        if (error_ == EEXIST)
            throw EngineError(EngineError::Cause::LockNotAFile, QString(), path_);
        if (!held())
            throw EngineError::ofSystem(
                QCoreApplication::translate("TablePair", "Zámek importu nelze vzít"), error_,
                QFileInfo(path_).path(), path_);
    }

private:
    void release(int error) {
        ::close(fd_);
        fd_ = -1;
        error_ = error;
    }

    QString path_;
    int fd_ = -1;
    // Why the lock is not held: the errno of its opening; EWOULDBLOCK while another process
    // holds it; EEXIST when something other than a file stands at its path.
    int error_ = 0;
};

TablePair::TablePair(const QString& folder)
    : folder_(folder), stamp_(newStamp()), lock_(std::make_unique<Lock>(folder)) {
    lock_->require();
    // A swap that cannot be completed keeps its files: the error names the cause.
    completeSwap(QDir(folder));
    removeLeftovers(QDir(folder));
}

TablePair::~TablePair() = default;

void TablePair::replace(const QString& names, const QString& synonyms,
                        const std::function<void()>& handOver) {
    const QDir folder(folder_);
    writeSwapRecord(folder_, {names, folder.filePath(TableSchema::names().tableFile)},
                    {synonyms, folder.filePath(TableSchema::synonyms().tableFile)});
    // From here on the files belong to the swap, which a later run completes if this one fails.
    handOver();
    completeSwap(folder);
}

void TablePair::copy(const QString& from, const QString& to) {
    if (!QDir().mkpath(to))
        throw EngineError::ofSystem(
            QCoreApplication::translate("TablePair", "Složku nelze vytvořit"), errno, to, to);
    // The pair holds the folder's lock; it completes what a killed copy or import left.
    TablePair pair(to);
    const QDir source(from);
    const QDir target(to);
    for (const QString& file : tableFiles()) {
        if (target.exists(file))
            throw EngineError(
                QCoreApplication::translate("TablePair",
                                            "Ve složce už soubor tabulky je; kopie jej "
                                            "nepřepíše. Odstraňte jej, nebo zvolte jinou složku."),
                target.filePath(file));
    }
    // Until the record names them, the copies are removed when the copy fails.
    const auto copied = [&](const QString& file) {
        auto copy = std::make_unique<FolderFile>(target.filePath(file), ".tmp");
        copy->copyFrom(source.filePath(file));
        copy->finish(tableFileMode);
        return copy;
    };
    const std::unique_ptr<FolderFile> names = copied(TableSchema::names().tableFile);
    const std::unique_ptr<FolderFile> synonyms = copied(TableSchema::synonyms().tableFile);
    pair.replace(names->path(), synonyms->path(), [&] {
        names->keep();
        synonyms->keep();
    });
}

bool TablePair::recover(const QString& folder) {
    // A folder with nothing left to complete or remove is only read: no lock file is made in it.
    const QDir dir(folder);
    struct stat status {};
    if (::lstat(encoded(dir.filePath(swapName)).constData(), &status) != 0 &&
        leftoversIn(dir).isEmpty())
        return false;
    const Lock lock(folder);
    if (!lock.held())
        return false;
    try {
        const bool completed = completeSwap(dir);
        removeLeftovers(dir);
        return completed;
    } catch (const EngineError&) {
        return false; // the next import names the cause
    }
}
