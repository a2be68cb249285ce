#pragma once

#include "import/ByteSource.h"

#include <QString>
#include <QStringList>
#include <memory>

struct zip;

// The files of a checklist archive: a zip file, an unpacked folder, or one data file given
// alone. Paths inside the archive use '/'. What archivers add on their own (`__MACOSX`,
// AppleDouble `._*` files, `.DS_Store` and other hidden files) is left out. Throws ImportError
// when the archive cannot be opened, and when an entry of a zip would unpack to more than its
// limits allow.
class ArchiveFiles {
public:
    // Limits against a zip bomb: an entry unpacks to at most largestUnpacked bytes and, when
    // it is larger than smallEntry, to at most mostPackedRatio times its packed size. Real
    // checklists pack by a factor of 5 to 25.
    static constexpr qint64 largestUnpacked = qint64(4) << 30;
    static constexpr qint64 mostPackedRatio = 100;
    static constexpr qint64 smallEntry = 1 << 20;

    explicit ArchiveFiles(const QString& path);
    ~ArchiveFiles();
    ArchiveFiles(const ArchiveFiles&) = delete;
    ArchiveFiles& operator=(const ArchiveFiles&) = delete;

    const QStringList& files() const { return files_; }
    bool contains(const QString& file) const { return files_.contains(file); }
    // The shallowest meta.xml, or empty when the archive has none.
    QString descriptor() const;
    // The data file of an archive without meta.xml: its only file that can hold rows.
    // Throws ImportError when there is none or more than one.
    QString loneDataFile() const;

    std::unique_ptr<ByteSource> open(const QString& file) const;
    // A small file whole, at most `limit` bytes of it.
    QByteArray read(const QString& file, qint64 limit) const;
    // A file of the archive as messages name it: the path in the folder, or the zip file's
    // path with the entry's.
    QString displayName(const QString& file) const;
    // The archive's own name without folder and extension.
    QString baseName() const;

private:
    QString path_;
    QString folder_; // the folder that holds the files, when they are not in a zip
    zip* zip_ = nullptr;
    QStringList files_;
};
