#pragma once

#include <QFile>
#include <QString>
#include <sys/stat.h>

// What stands at a path, links not followed: a program that writes a file must not write
// through a link, and opening a FIFO or a device to read or write it may never end.
enum class PathKind { Nothing, File, Folder, Link, Fifo, Socket, Device };

// Header-only, so that the settings key files, which link no widgets, share it.
inline PathKind pathKindAt(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return PathKind::Nothing;
    if (S_ISREG(status.st_mode))
        return PathKind::File;
    if (S_ISDIR(status.st_mode))
        return PathKind::Folder;
    if (S_ISLNK(status.st_mode))
        return PathKind::Link;
    if (S_ISFIFO(status.st_mode))
        return PathKind::Fifo;
    if (S_ISSOCK(status.st_mode))
        return PathKind::Socket;
    return PathKind::Device;
}
