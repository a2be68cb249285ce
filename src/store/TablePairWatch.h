#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <sys/types.h>

class QFileSystemWatcher;

// Watches a table folder for a new pair of tables. An import writes each table under a name
// of its own and renames both into place, so a new pair shows as new files at the tables'
// names; it is new only once both carry the same import stamp, so a swap seen half done is
// not read. The watch is on the folder: a watch on a file would stay with the file that the
// rename replaced.
class TablePairWatch : public QObject {
    Q_OBJECT

public:
    enum class News {
        None,
        NewPair,
        // A table is gone, or the pair cannot be read.
        Unreadable,
    };

    explicit TablePairWatch(QObject* parent = nullptr);
    ~TablePairWatch() override;

    // Watches `folder` from now on; the tables that stand there now count as read. Called
    // before they are opened, so that a swap while they open is news.
    void watch(const QString& folder);
    // What stands in the folder against the tables counted as read.
    News news() const;
    // The tables now in the folder count as read, as when they were told of.
    void settle();

signals:
    // The folder changed: news() may tell something. Once for a burst of changes.
    void changed();

private:
    // The device and inode of each table; zeros for a missing one.
    using Pair = std::array<std::pair<dev_t, ino_t>, 2>;
    Pair pairNow() const;

    QFileSystemWatcher* m_watcher;
    QString m_folder;
    Pair m_read{};
    bool m_changePending = false;
};
