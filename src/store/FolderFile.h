#pragma once

#include <QByteArrayView>
#include <QString>
#include <sys/types.h>

// A table file, like the rest of a table folder, is readable by all.
constexpr mode_t tableFileMode = 0644;

// A new file in a table folder, made under a random name beside the name it is to take. It is
// created exclusively, so whatever already stands at a name it tries, a link least of all, is
// never opened or written through; and it takes its name by rename(), which replaces what
// stands there (a link itself, never what the link points to). Failures throw EngineError
// with the system's cause.
class FolderFile {
public:
    // Creates `<path>.XXXXXX<suffix>`, X being random letters and digits, for its owner only.
    FolderFile(const QString& path, const char* suffix);
    // Removes the file unless it was kept or renamed.
    ~FolderFile();
    FolderFile(const FolderFile&) = delete;
    FolderFile& operator=(const FolderFile&) = delete;

    const QString& path() const { return path_; }
    void write(QByteArrayView bytes);
    // Appends the whole of the regular file `source`.
    void copyFrom(const QString& source);
    // Flushes the file to the disk, gives it `mode` and closes it.
    void finish(mode_t mode);
    // Hands the finished file over to the caller: it stays under its random name.
    void keep() { path_.clear(); }
    // Puts the finished file in place under `path`.
    void renameTo(const QString& path);

private:
    [[noreturn]] void fail(const QString& doing, int error) const;

    QString folder_;
    QString path_;
    int fd_ = -1;
};

// Flushes the regular file at `path` to the disk and gives it `mode`, like FolderFile::finish,
// for a file that another writer made; a link at `path` is not followed. Throws EngineError.
void finishFileAt(const QString& path, mode_t mode);

// Opens the regular file at `path` to read, never blocking on a pipe or a device standing
// there, and never through a link unless `followLink`. Gives the descriptor, or -1 with errno
// set: EINVAL when something other than a regular file stands there. `size`, when given, takes
// the file's size.
int openRegularFile(const QString& path, bool followLink, qint64* size = nullptr);

// Makes renames and removals in `folder` durable.
bool syncFolder(const QString& folder);
