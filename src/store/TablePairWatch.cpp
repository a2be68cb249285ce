#include "store/TablePairWatch.h"

#include "store/EngineError.h"
#include "store/NameSource.h"
#include "store/TableAbout.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QTimer>
#include <sys/stat.h>
#include <utility>

namespace {

const std::array<QString, 2>& tableFiles() {
    static const std::array<QString, 2> files{TableSchema::names().tableFile,
                                              TableSchema::synonyms().tableFile};
    return files;
}

// A new pair once both tables come from one import; none while they do not.
TablePairWatch::News newsOfStamps(const QString& folder) {
    try {
        NameSource source;
        source.connectToFolder(folder + u'/');
        return source.about(tableFiles()[0]).value(TableAbout::importStamp) ==
                       source.about(tableFiles()[1]).value(TableAbout::importStamp)
                   ? TablePairWatch::News::NewPair
                   : TablePairWatch::News::None;
    } catch (const EngineError&) {
        return TablePairWatch::News::Unreadable;
    }
}

} // namespace

TablePairWatch::TablePairWatch(QObject* parent)
    : QObject(parent), m_watcher(new QFileSystemWatcher(this)) {
    // An import changes the folder several times within moments: the changes seen by the
    // time the event loop comes round again are one.
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (std::exchange(m_changePending, true))
            return;
        QTimer::singleShot(0, this, [this] {
            m_changePending = false;
            emit changed();
        });
    });
}

TablePairWatch::~TablePairWatch() = default;

void TablePairWatch::watch(const QString& folder) {
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_folder = QDir::cleanPath(folder);
    m_watcher->addPath(m_folder);
    settle();
}

void TablePairWatch::settle() {
    m_read = pairNow();
}

TablePairWatch::Pair TablePairWatch::pairNow() const {
    Pair pair{};
    for (size_t table = 0; table < pair.size(); ++table) {
        struct stat status {};
        if (::stat(QFile::encodeName(QDir(m_folder).filePath(tableFiles()[table])).constData(),
                   &status) == 0)
            pair[table] = {status.st_dev, status.st_ino};
    }
    return pair;
}

TablePairWatch::News TablePairWatch::news() const {
    const Pair now = pairNow();
    if (now == m_read)
        return News::None;
    const std::pair<dev_t, ino_t> missing{};
    if (now[0] == missing || now[1] == missing)
        return News::Unreadable;
    // The stamps are read only when the files changed; until they agree the swap is not done.
    return newsOfStamps(m_folder);
}
