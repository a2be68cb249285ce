#pragma once

#include <QString>
#include <QTemporaryDir>
#include <thread>

// A FIFO that nothing of ours may read: a reader would wait for a writer that never comes, and
// the test would hang. A watch ends the test with a failure as soon as anything opens it to
// read, however deep in the toolkit.
class FifoTrap {
public:
    FifoTrap();
    ~FifoTrap();
    FifoTrap(const FifoTrap&) = delete;
    FifoTrap& operator=(const FifoTrap&) = delete;

    QString path() const { return m_dir.filePath(QStringLiteral("fifo")); }
    // A picture in markup that names the FIFO, as a table's text or a file name might hold it.
    QString pictureMarkup() const;

private:
    QTemporaryDir m_dir;
    std::jthread m_watch;
};
