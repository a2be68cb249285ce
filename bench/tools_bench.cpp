// tools-bench: the synonym search and the dictionary export against their floors.
//
//   tools-bench FOLDER [-n ROUNDS]
//
// FOLDER holds plantnames.db and syns.db. Each figure is one line: its key, our median and
// the floor's median in milliseconds, the rounds, and what was measured. Ours and the floor
// run by turns, the one that goes first changing from round to round; posted events are
// handled between rounds, outside the clock. The floors step the same SELECT on the same
// file through SQLite's C interface (sqlite_floor.c), and for the export also sort its
// values by the same ICU collation (collation_floor.c).
//
//   synonym-search-PATTERN  a search in the shown synonym window, up to every row of its
//                           result read into the grid, against stepping every row;
//   synonym-first-screen    a search with an empty text, up to the grid holding its first
//                           screen of rows (painting is not timed), against stepping as many
//                           rows; the grid is on the screen already, as after a first search;
//   dictionary-export       the MS Office export into a file, against stepping the UNION
//                           query and sorting its values; the note gives the growth of the
//                           resident memory during one export.
#include "Rounds.h"
#include "collation_floor.h"
#include "sqlite_floor.h"
#include "store/NameSource.h"
#include "store/SynonymQueries.h"
#include "store/TablePassword.h"
#include "store/TableSchema.h"
#include "tools/DictionaryExport.h"
#include "tools/DictionaryWords.h"
#include "tools/FSyns.h"
#include "tools/QueryRowsModel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

sqlite3* openFloorFile(const QString& path) {
    sqlite3* db = nullptr;
    // The flags of the program's connection: one thread, no mutex.
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        quit(QStringLiteral("cannot open %1").arg(path));
    return db;
}

// A field of /proc/self/status in KiB, such as the resident memory or its peak.
long statusKib(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// The growth of the resident memory while `work` runs, in KiB.
long peakGrowthKib(const std::function<void()>& work) {
    const long before = statusKib("VmRSS:");
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5"); // the peak starts again from the present size
    clear.close();
    work();
    return statusKib("VmHWM:") - before;
}

void benchSynonyms(NameSource& source, const QDir& folder, int count) {
    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 464, 101);
    mainWindow.show();
    TFormSyns form(source, [](int, const QString&, const QString&, const QString&) {});
    form.ShowFormSyns(QString(), &mainWindow);
    auto* searchText = form.findChild<QLineEdit*>(QStringLiteral("EditF"));
    QAbstractItemModel* grid = form.findChild<QTableView*>(QStringLiteral("DBGrid1"))->model();
    sqlite3* db = openFloorFile(folder.filePath(TableSchema::synonyms().tableFile));
    const QByteArray sql = synonymSearchLines().join(u'\n').toUtf8();
    long floorRows = 0;
    const auto check = [&](const QString& key) {
        if (grid->rowCount() != floorRows)
            quit(QStringLiteral("%1: the grid holds %2 rows, the floor stepped %3")
                     .arg(key)
                     .arg(grid->rowCount())
                     .arg(floorRows));
    };

    for (const QString pattern : {"Abies", "Hieracium", "A"}) {
        const QByteArray like = synonymPattern(pattern).toUtf8();
        searchText->setText(pattern);
        const Rounds rounds = Rounds::interleaved(count, [&](Rounds& round) {
            round.timeBoth(
                [&] {
                    form.BtnFindClick();
                    while (grid->canFetchMore({}))
                        grid->fetchMore({});
                },
                [&] { floorRows = floor_step_rows(db, sql.constData(), like.constData(), -1); });
        });
        const QString key = QStringLiteral("synonym-search-") + pattern;
        check(key);
        printFigure(
            qPrintable(key), rounds,
            QStringLiteral("rows=%1: the search and its whole result in the grid").arg(floorRows));
    }

    searchText->clear();
    const Rounds rounds = Rounds::interleaved(count, [&](Rounds& round) {
        round.timeBoth([&] { form.BtnFindClick(); },
                       [&] {
                           floorRows =
                               floor_step_rows(db, sql.constData(), "%", QueryRowsModel::batchRows);
                       });
    });
    check(QStringLiteral("synonym-first-screen"));
    printFigure(
        "synonym-first-screen", rounds,
        QStringLiteral("rows=%1: an empty text up to the first screen in the grid").arg(floorRows));
    form.close();
    sqlite3_close(db);
}

void benchExport(NameSource& source, const QDir& folder, int count) {
    const QString tableName = QStringLiteral("plantnames.db");
    const DictionaryFields fields{QStringLiteral("GENUS"), QStringLiteral("SPECIES"),
                                  QStringLiteral("SUBSP")};
    const QLocale locale(QStringLiteral("cs_CZ"));
    const QByteArray sql = dictionaryQueryLines(tableName, fields).join(u'\n').toUtf8();
    sqlite3* db = openFloorFile(folder.filePath(tableName));
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("slovnik.dic"));
    const auto exportOnce = [&] {
        writeDictionary(source, tableName, fields, file, DictionaryFormat::MsOffice, locale);
    };
    long values = 0;
    long distinct = 0;
    try {
        const long growth = peakGrowthKib(exportOnce);
        const Rounds rounds = Rounds::interleaved(count, [&](Rounds& round) {
            round.timeBoth(exportOnce, [&] {
                distinct = floor_collated_distinct(db, sql.constData(), "cs_CZ", &values);
            });
        });
        QFile written(file);
        if (distinct < 0 || !written.open(QIODevice::ReadOnly))
            quit(QStringLiteral("the export or its floor failed"));
        printFigure("dictionary-export", rounds,
                    QStringLiteral("values=%1 words=%2 (floor %3 distinct) memory=+%4KiB: "
                                   "query, hyphen split, collated word list, file")
                        .arg(values)
                        .arg(written.readAll().count('\n'))
                        .arg(distinct)
                        .arg(growth));
    } catch (const std::exception& failure) {
        quit(QString::fromUtf8(failure.what()));
    }
    sqlite3_close(db);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchCommandLine line =
        readBenchCommandLine(app.arguments(), 1, QStringLiteral("tools-bench FOLDER [-n ROUNDS]"));
    const QStringList& args = line.words;
    const int rounds = line.rounds;
    const QDir folder{QDir(args[0]).absolutePath()};
    for (const QString file : {"plantnames.db", "syns.db"}) {
        if (!QFileInfo(folder.filePath(file)).isFile())
            quit(QStringLiteral("%1 holds no %2").arg(folder.path(), file));
    }

    // The connection as the main window opens it.
    NameSource source;
    source.setParam(QStringLiteral("PATH"), folder.path() + u'/');
    source.connect();
    source.addPassword(TablePassword::programPassword);
    benchSynonyms(source, folder, rounds);
    benchExport(source, folder, rounds);
    return 0;
}
