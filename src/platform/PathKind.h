#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <optional>
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

// What stands at `path` if it is neither free nor a regular file, named in Czech for a message
// that says what is in the way.
inline std::optional<QString> otherThingAt(const QString& path) {
    switch (pathKindAt(path)) {
    case PathKind::Nothing:
    case PathKind::File:
        return std::nullopt;
    case PathKind::Folder:
        return QCoreApplication::translate("PathKind", "složka");
    case PathKind::Link:
        return QCoreApplication::translate("PathKind", "symbolický odkaz");
    case PathKind::Fifo:
        return QCoreApplication::translate("PathKind", "pojmenovaná roura (FIFO)");
    case PathKind::Socket:
        return QCoreApplication::translate("PathKind", "soket");
    case PathKind::Device:
        break;
    }
    return QCoreApplication::translate("PathKind", "zařízení");
}
