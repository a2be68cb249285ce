#include "import/FileSource.h"

#include "import/ImportError.h"

FileSource::FileSource(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::ReadOnly))
        fail();
}

qint64 FileSource::read(char* data, qint64 size) {
    const qint64 read = file_.read(data, size);
    if (read < 0)
        fail();
    return read;
}

void FileSource::fail() const {
    throw ImportError(
        tr("%1: soubor nelze číst: %2").arg(file_.fileName(), file_.errorString()).toStdString());
}
