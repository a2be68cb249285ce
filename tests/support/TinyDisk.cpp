#include "support/TinyDisk.h"

#include <QFile>
#include <sys/mount.h>

TinyDisk::TinyDisk()
    : mounted_(::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                       MS_NOSUID | MS_NODEV, "size=8k") == 0) {}

TinyDisk::~TinyDisk() {
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}
