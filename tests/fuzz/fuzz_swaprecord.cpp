// A table folder's swap record from any bytes, at the start: the recovery and the search for
// the tables. The record's first names become files in the folder (each holding its own
// name), beside both tables and a link to a file outside. Promises: nothing outside the folder
// is touched; a file keeps its name unless it is a table file's temporary or an unrenamed
// record, which only go; and a table file holds another file's bytes only when the record
// names that file as its temporary.
#include "fuzz/FuzzCheck.h"
#include "platform/TableFolders.h"
#include "store/TablePair.h"
#include "store/TableSchema.h"

#include <QByteArrayList>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray recordName = ".nardel-import.swap";
const QByteArray lockName = ".nardel-import.lock";
const QByteArrayList tableFiles{"plantnames.db", "syns.db"};
const QByteArray linkName = "syns.db.LiNk12.tmp";
const QByteArray victimBytes = "outside the folder";

// The folder of the runs and, beside it, a folder the runs must not touch.
struct Bed {
    // The recovery flushes the folder at every run: in memory, where there is a file system
    // there, that costs nothing.
    QTemporaryDir root{(QFileInfo::exists("/dev/shm") ? QString("/dev/shm") : QDir::tempPath()) +
                       "/fuzz_swaprecord-XXXXXX"};
    QByteArray folder = QFile::encodeName(root.filePath("tables"));
    QByteArray outside = QFile::encodeName(root.filePath("outside"));
    QByteArray victim = outside + "/victim";
};

const Bed& bed() {
    static const Bed made = [] {
        Bed bed;
        QDir(bed.root.path()).mkpath("tables");
        QDir(bed.root.path()).mkpath("outside");
        return bed;
    }();
    return made;
}

QByteArray inFolder(const QByteArray& name) {
    return bed().folder + '/' + name;
}

bool writeNew(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return written;
}

// Each entry of a folder with what it holds: a regular file's bytes, a link's target.
std::map<QByteArray, QByteArray> entriesOf(const QByteArray& folder) {
    std::map<QByteArray, QByteArray> entries;
    DIR* dir = ::opendir(folder.constData());
    require(dir != nullptr, "the folder can be read");
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat status {};
        require(::lstat(path.constData(), &status) == 0, "an entry can be examined");
        QByteArray held(4096, '\0');
        if (S_ISLNK(status.st_mode)) {
            held.truncate(::readlink(path.constData(), held.data(), size_t(held.size())));
            held.prepend("-> ");
        } else {
            const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
            require(fd >= 0 && S_ISREG(status.st_mode), "an entry is a file or a link");
            held.truncate(::read(fd, held.data(), size_t(held.size())));
            ::close(fd);
        }
        entries[name] = held;
    }
    ::closedir(dir);
    return entries;
}

void empty(const QByteArray& folder) {
    for (const auto& entry : entriesOf(folder))
        ::unlink((folder + '/' + entry.first).constData());
}

bool isRandomPart(const QByteArray& part) {
    return part.size() == 6 &&
           std::all_of(part.begin(), part.end(), [](char c) { return std::isalnum(uchar(c)); });
}

// A name that the start may remove: a table's temporary file or a record not yet renamed.
bool mayGo(const QByteArray& name) {
    if (name.startsWith(recordName + '.'))
        return isRandomPart(name.sliced(recordName.size() + 1));
    return std::any_of(tableFiles.begin(), tableFiles.end(), [&](const QByteArray& table) {
        return name.startsWith(table + '.') && name.endsWith(".tmp") &&
               isRandomPart(name.sliced(table.size() + 1, name.size() - table.size() - 5));
    });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray record(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArrayList lines = record.split('\n');
    empty(bed().folder);
    empty(bed().outside);
    require(writeNew(bed().victim, victimBytes), "the file outside can be written");
    require(writeNew(inFolder(recordName), record), "the record can be written");
    require(::symlink(bed().victim.constData(), inFolder(linkName).constData()) == 0,
            "the link can be made");
    QByteArrayList made = tableFiles;
    for (const QByteArray& line : lines.first(std::min<qsizetype>(lines.size(), 8)))
        made << line.split('\t').first();
    made.removeIf([](const QByteArray& name) {
        return name.isEmpty() || name.size() > 255 || name.contains('/') || name.contains('\0') ||
               name == "." || name == ".." || name == recordName || name == lockName ||
               name == linkName;
    });
    QByteArrayList present;
    for (const QByteArray& name : made) {
        if (writeNew(inFolder(name), name))
            present << name;
    }

    TablePair::recover(QFile::decodeName(bed().folder));
    firstFolderHolding({QFile::decodeName(bed().folder)}, TableSchema::names().tableFile);

    const std::map<QByteArray, QByteArray> outside = entriesOf(bed().outside);
    require(outside.size() == 1 && outside.begin()->second == victimBytes,
            "nothing outside the folder is touched");
    const std::map<QByteArray, QByteArray> after = entriesOf(bed().folder);
    for (const auto& [name, held] : after) {
        if (name == recordName || name == lockName || held == name)
            continue;
        if (name == linkName) {
            require(held == "-> " + bed().victim, "the link stays as it was");
            continue;
        }
        require(tableFiles.contains(name) && mayGo(held) && lines.contains(held + '\t' + name),
                "a table file takes only the bytes of its temporary that the record names");
    }
    for (const QByteArray& name : present) {
        require(mayGo(name) || after.count(name) == 1,
                "a file that is no temporary keeps its name");
    }
    return 0;
}
