#include "import/ArchiveFiles.h"

#include "import/FileSource.h"
#include "import/ImportError.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <zip.h>

namespace {

[[noreturn]] void fail(const QString& text) {
    throw ImportError(text.toStdString());
}

// What an archiver adds beside the data: resource forks and folders of macOS, hidden files.
bool isJunk(const QString& file) {
    const QStringList parts = file.split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String("__MACOSX") || part.startsWith('.'))
            return true;
    }
    return parts.isEmpty();
}

// A zip begins with the header of its first entry, or with the end of an empty one.
bool startsLikeZip(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head == QByteArrayView("PK\x03\x04") || head == QByteArrayView("PK\x05\x06");
}

int depth(const QString& file) {
    return int(file.count('/'));
}

class ZipEntrySource : public ByteSource {
public:
    ZipEntrySource(zip* archive, const QString& entry, QString name) : name_(std::move(name)) {
        const QByteArray utf8 = entry.toUtf8();
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(archive, utf8.constData(), 0, &stat) == 0) {
            // A size beyond the limit counts as just beyond it: the products stay in 64 bits.
            const auto capped = [](zip_uint64_t size) {
                return qint64(std::min<zip_uint64_t>(size, ArchiveFiles::largestUnpacked + 1));
            };
            if (stat.valid & ZIP_STAT_SIZE)
                size_ = capped(stat.size);
            if (stat.valid & ZIP_STAT_COMP_SIZE)
                allowed_ = std::clamp(capped(stat.comp_size) * ArchiveFiles::mostPackedRatio,
                                      ArchiveFiles::smallEntry, ArchiveFiles::largestUnpacked);
        }
        // What the archive says of the entry is checked here, what it really holds as it is
        // unpacked.
        if (size_ > allowed_)
            failTooLarge(size_);
        file_ = zip_fopen(archive, utf8.constData(), 0);
        if (!file_)
            fail(QCoreApplication::translate("ArchiveFiles", "%1: soubor nelze otevřít: %2")
                     .arg(name_, QString::fromUtf8(zip_strerror(archive))));
    }
    ~ZipEntrySource() override { zip_fclose(file_); }
    qint64 read(char* data, qint64 size) override {
        const zip_int64_t read = zip_fread(file_, data, zip_uint64_t(size));
        if (read < 0)
            fail(QCoreApplication::translate("ArchiveFiles",
                                             "%1: soubor nelze rozbalit, archiv je poškozený: %2")
                     .arg(name_, QString::fromUtf8(zip_file_strerror(file_))));
        unpacked_ += read;
        if (unpacked_ > allowed_)
            failTooLarge(unpacked_);
        return read;
    }
    qint64 size() const override { return size_; }

private:
    [[noreturn]] void failTooLarge(qint64 size) const {
        if (allowed_ == ArchiveFiles::largestUnpacked)
            fail(QCoreApplication::translate(
                     "ArchiveFiles", "%1: soubor by se rozbalil na víc než %2 bajtů; tak velký "
                                     "import nepřijme")
                     .arg(name_)
                     .arg(ArchiveFiles::largestUnpacked));
        fail(QCoreApplication::translate(
                 "ArchiveFiles", "%1: soubor by se rozbalil na %2 bajtů, víc než %3krát tolik, "
                                 "kolik má zabalený: archiv vypadá jako zip bomba")
                 .arg(name_)
                 .arg(size)
                 .arg(ArchiveFiles::mostPackedRatio));
    }

    QString name_;
    zip_file_t* file_ = nullptr;
    qint64 size_ = -1;
    qint64 allowed_ = ArchiveFiles::largestUnpacked;
    qint64 unpacked_ = 0;
};

} // namespace

ArchiveFiles::ArchiveFiles(const QString& path) : path_(path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        // The files are named from the folder's absolute path: a relative one would be taken
        // twice, once by the folder and once by the files.
        folder_ = info.absoluteFilePath();
        QDirIterator it(folder_, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        const QDir root(folder_);
        while (it.hasNext()) {
            const QString file = root.relativeFilePath(it.next());
            if (!isJunk(file))
                files_.append(file);
        }
        files_.sort();
        return;
    }
    if (!info.isFile())
        fail(QCoreApplication::translate("ArchiveFiles", "%1: takový soubor ani složka není")
                 .arg(path));
    int error = 0;
    zip_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip_) {
        if (error != ZIP_ER_NOZIP) {
            zip_error_t zipError;
            zip_error_init_with_code(&zipError, error);
            const QString text = QString::fromUtf8(zip_error_strerror(&zipError));
            zip_error_fini(&zipError);
            fail(QCoreApplication::translate("ArchiveFiles", "%1: archiv zip nelze číst: %2")
                     .arg(path, text));
        }
        if (startsLikeZip(path))
            fail(QCoreApplication::translate(
                     "ArchiveFiles", "%1: archiv zip je poškozený, chybí jeho obsah (soubor je asi "
                                     "neúplný)")
                     .arg(path));
        // Not a zip: one data file given alone.
        folder_ = info.absolutePath();
        files_.append(info.fileName());
        return;
    }
    const zip_int64_t entries = zip_get_num_entries(zip_, 0);
    for (zip_int64_t index = 0; index < entries; ++index) {
        const QString file = QString::fromUtf8(zip_get_name(zip_, zip_uint64_t(index), 0));
        if (!file.endsWith('/') && !isJunk(file))
            files_.append(file);
    }
    files_.sort();
}

ArchiveFiles::~ArchiveFiles() {
    if (zip_)
        zip_discard(zip_);
}

QString ArchiveFiles::descriptor() const {
    QString found;
    for (const QString& file : files_) {
        if (file.section('/', -1).compare(QLatin1String("meta.xml"), Qt::CaseInsensitive) == 0 &&
            (found.isEmpty() || depth(file) < depth(found)))
            found = file;
    }
    return found;
}

QString ArchiveFiles::loneDataFile() const {
    QStringList candidates;
    for (const QString& file : files_) {
        if (!file.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive) &&
            !file.endsWith(QLatin1String(".yaml"), Qt::CaseInsensitive))
            candidates.append(file);
    }
    if (candidates.size() == 1)
        return candidates.first();
    if (candidates.isEmpty())
        fail(QCoreApplication::translate("ArchiveFiles",
                                         "%1: archiv nemá meta.xml ani soubor s daty")
                 .arg(path_));
    fail(QCoreApplication::translate(
             "ArchiveFiles",
             "%1: archiv nemá meta.xml, jeho jádrem může být kterýkoli z %2 souborů "
             "(%3); meta.xml musí určit, který")
             .arg(path_)
             .arg(candidates.size())
             .arg(QStringList(candidates.mid(0, 3)).join(QStringLiteral(", "))));
}

std::unique_ptr<ByteSource> ArchiveFiles::open(const QString& file) const {
    if (zip_)
        return std::make_unique<ZipEntrySource>(zip_, file, displayName(file));
    return std::make_unique<FileSource>(QDir(folder_).filePath(file));
}

QByteArray ArchiveFiles::read(const QString& file, qint64 limit) const {
    const std::unique_ptr<ByteSource> source = open(file);
    QByteArray bytes;
    for (;;) {
        const qint64 start = bytes.size();
        if (start >= limit)
            break;
        bytes.resize(std::min<qint64>(limit, start + (1 << 16)));
        const qint64 read = source->read(bytes.data() + start, bytes.size() - start);
        bytes.resize(start + read);
        if (read == 0)
            break;
    }
    return bytes;
}

QString ArchiveFiles::displayName(const QString& file) const {
    if (zip_)
        return path_ + ':' + file;
    return QDir(folder_).filePath(file);
}

QString ArchiveFiles::baseName() const {
    const QFileInfo info(path_);
    return info.isDir() ? QDir(path_).dirName() : info.completeBaseName();
}
