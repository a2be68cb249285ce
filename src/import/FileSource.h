#pragma once

#include "import/ByteSource.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

// A file read from the start to the end once; a pipe has no size. Throws ImportError naming
// the file when it cannot be opened or read.
class FileSource : public ByteSource {
    Q_DECLARE_TR_FUNCTIONS(FileSource)

public:
    explicit FileSource(const QString& path);

    qint64 read(char* data, qint64 size) override;
    qint64 size() const override { return file_.isSequential() ? -1 : file_.size(); }

private:
    [[noreturn]] void fail() const;

    QFile file_;
};
