#pragma once

#include <QString>
#include <QTemporaryDir>

// A disk that fills up for real: a tmpfs of a few pages, mounted on a temporary folder for as
// long as the object lives. Only root may mount it; elsewhere it is not mounted.
class TinyDisk {
public:
    TinyDisk();
    ~TinyDisk();
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};
