#include "store/TablePair.h"

#include "store/EngineError.h"
#include "store/TableSchema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

const QString lockName = QStringLiteral(".nardel-import.lock");
const QString swapName = QStringLiteral(".nardel-import.swap");

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// Makes renames and removals in the folder durable.
bool syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// The files of the pair.
const QStringList& tableFiles() {
    static const QStringList files{TableSchema::names().tableFile,
                                   TableSchema::synonyms().tableFile};
    return files;
}

// A writer's temporary file: the table file's name, a random part and ".tmp".
bool isTemporaryOf(const QString& temporary, const QString& tableFile) {
    return temporary.startsWith(tableFile + '.') && temporary.endsWith(QStringLiteral(".tmp")) &&
           !temporary.contains('/');
}

// Renames the temporary files that the swap record names and that are still there, then
// removes the record. Every file the record names was complete and on the disk before the
// record was written, so completing the swap is always right. Returns whether there was a
// record; throws EngineError, keeping the record, when a file cannot take its name.
bool completeSwap(const QDir& folder) {
    QFile record(folder.filePath(swapName));
    if (!record.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = record.readAll().split('\n');
    record.close();
    for (const QByteArray& line : lines) {
        const QList<QByteArray> names = line.split('\t');
        if (names.size() != 2)
            continue;
        const QString temporary = QFile::decodeName(names[0]);
        const QString final = QFile::decodeName(names[1]);
        if (!tableFiles().contains(final) || !isTemporaryOf(temporary, final) || !folder.exists(temporary))
            continue;
        if (std::rename(encoded(folder.filePath(temporary)).constData(),
                        encoded(folder.filePath(final)).constData()) != 0)
            throw EngineError(QStringLiteral("Cannot rename %1 to its final name: %2")
                                  .arg(temporary, QString::fromLocal8Bit(std::strerror(errno))),
                              folder.filePath(final));
    }
    syncFolder(folder.path());
    QFile::remove(record.fileName());
    return true;
}

// Removes what killed imports left: every temporary table file. Only while the lock is held,
// when no import of the folder is writing one.
void removeTemporaries(const QDir& folder) {
    for (const QString& tableFile : tableFiles()) {
        for (const QString& name :
             folder.entryList({tableFile + QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden))
            QFile::remove(folder.filePath(name));
    }
}

// A temporary table file and the name it takes.
using Renaming = std::pair<QString, QString>;

// Writes the record of a swap, flushed to the disk with the folder, before the first rename.
void writeSwapRecord(const QString& folder, const Renaming& names, const Renaming& synonyms) {
    QSaveFile record(QDir(folder).filePath(swapName));
    QByteArray lines;
    for (const auto& [temporary, final] : {names, synonyms})
        lines += encoded(QFileInfo(temporary).fileName()) + '\t' +
                 encoded(QFileInfo(final).fileName()) + '\n';
    // QSaveFile flushes the record to the disk before it takes the record's name.
    if (!record.open(QIODevice::WriteOnly) || record.write(lines) != lines.size() ||
        !record.commit() || !syncFolder(folder))
        throw EngineError(QStringLiteral("Cannot write the record of the swap"), record.fileName());
}

// Copies a file into a new temporary table file beside `finalPath`, flushed to the disk and
// readable by all, as a written table is; returns the temporary file's path.
QString copyToTemporary(const QString& source, const QString& finalPath) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw EngineError(in.errorString(), source);
    QTemporaryFile out(finalPath + QStringLiteral(".XXXXXX.tmp"));
    if (!out.open())
        throw EngineError(out.errorString(), finalPath);
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() || out.write(block) != block.size())
            throw EngineError(
                QStringLiteral("Cannot copy %1: %2")
                    .arg(source, block.isEmpty() ? in.errorString() : out.errorString()),
                out.fileName());
    }
    if (!out.flush() || ::fsync(out.handle()) != 0)
        throw EngineError(QStringLiteral("Cannot flush the table file to the disk"),
                          out.fileName());
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                       QFileDevice::ReadOther);
    out.setAutoRemove(false);
    return out.fileName();
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
    explicit Lock(const QString& folder) {
        // Whatever stands at the lock's path, opening it must neither follow a link nor block.
        fd_ = ::open(encoded(QDir(folder).filePath(lockName)).constData(),
                     O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        struct stat status {};
        if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd_);
            fd_ = -1;
            busy_ = true;
        }
    }
    ~Lock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    bool held() const { return fd_ >= 0; }
    bool busy() const { return busy_; }

private:
    int fd_ = -1;
    bool busy_ = false;
};

TablePair::TablePair(const QString& folder, const QString& password)
    : folder_(folder), password_(password), stamp_(newStamp()),
      lock_(std::make_unique<Lock>(folder)) {
    const QString lockPath = QDir(folder).filePath(lockName);
    if (lock_->busy())
        throw EngineError(QStringLiteral("Another import is writing the tables of this folder"),
                          lockPath);
    if (!lock_->held())
        throw EngineError(QStringLiteral("Cannot take the import lock"), lockPath);
    // A swap that cannot be completed keeps its files: the error names the cause.
    completeSwap(QDir(folder));
    removeTemporaries(QDir(folder));
}

TablePair::~TablePair() = default;

TableWriter& TablePair::names() {
    return writer(names_, TableSchema::names());
}

TableWriter& TablePair::synonyms() {
    return writer(synonyms_, TableSchema::synonyms());
}

TableWriter& TablePair::writer(std::unique_ptr<TableWriter>& writer,
                               const TableSchema::Layout& layout) {
    if (!writer) {
        writer = std::make_unique<TableWriter>(folder_, layout, password_);
        writer->setAbout(TableAbout::importStamp, stamp_);
    }
    return *writer;
}

void TablePair::replace() {
    Q_ASSERT(names_ && synonyms_);
    writeSwapRecord(folder_, {names_->tempPath(), names_->finalPath()},
                    {synonyms_->tempPath(), synonyms_->finalPath()});
    // From here on the files belong to the swap, which a later run completes if this one fails.
    names_->release();
    synonyms_->release();
    completeSwap(QDir(folder_));
}

void TablePair::copy(const QString& from, const QString& to) {
    if (!QDir().mkpath(to))
        throw EngineError(QStringLiteral("Cannot make the folder"), to);
    // The pair holds the folder's lock; it completes what a killed copy or import left.
    const TablePair pair(to, QString());
    const QDir source(from);
    const QDir target(to);
    const QString& names = TableSchema::names().tableFile;
    const QString& synonyms = TableSchema::synonyms().tableFile;
    for (const QString& file : tableFiles()) {
        if (target.exists(file))
            throw EngineError(QStringLiteral("The folder holds a table file already; it is not "
                                             "replaced"),
                              target.filePath(file));
    }
    QStringList temporaries;
    auto dropCopies = qScopeGuard([&] {
        for (const QString& temporary : std::as_const(temporaries))
            QFile::remove(temporary);
    });
    for (const QString& file : tableFiles())
        temporaries << copyToTemporary(source.filePath(file), target.filePath(file));
    writeSwapRecord(to, {temporaries[0], target.filePath(names)},
                    {temporaries[1], target.filePath(synonyms)});
    dropCopies.dismiss();
    completeSwap(target);
}

bool TablePair::recover(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists(swapName))
        return false;
    const Lock lock(folder);
    try {
        return lock.held() && completeSwap(dir);
    } catch (const EngineError&) {
        return false; // the next import names the cause
    }
}
