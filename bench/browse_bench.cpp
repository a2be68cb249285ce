// browse-bench: opening the data editing window's grid against its floor, and the memory it
// takes.
//
//   browse-bench open FOLDER [-n ROUNDS]
//   browse-bench memory FOLDER
//
// FOLDER holds plantnames.db. The window opens its table on the main window's connection,
// which has the table attached (as after the start) before anything is measured. "open"
// prints one line a figure: its key, our median and the floor's median in milliseconds, the
// rounds, and what was measured. Ours and the floor run by turns, each first in every other
// round:
//
//   browse-open       the window's first use in a run: the table opened in a new window, not
//                     yet shown, as each use makes one, on the main window's connection, which
//                     has prepared none of the window's statements yet (the fields, the
//                     statements) and the grid holding its first screen of records (making the
//                     window and painting are not timed), against a C loop that prepares the same
//                     SELECT on the file it holds open, steps its first 100 rows and finalizes it;
//   browse-reopen     a later use: the connection keeps the window's statements prepared,
//                     and so does the C loop, which only steps and rewinds its statement;
//   browse-rows       the grid's table reading its first 100 records, against the C loop
//                     stepping them on the open file;
//   browse-count      the record count that the window takes before and after editing, against
//                     the same count stepped in C on the open file.
//
// "memory" opens the window as its user does (table, count, grid shown and painted) and
// prints "browse-memory peak_kib=P growth_kib=G records=N": the peak resident memory of the
// process, and how much it grew while the window opened.
#include "Rounds.h"
#include "sqlite_floor.h"
#include "store/BrowseTable.h"
#include "store/NameSource.h"
#include "store/TablePassword.h"
#include "store/TableSchema.h"
#include "tools/FBrowse.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

const QString tableName = QStringLiteral("plantnames.db");
constexpr int floorRows = 100;

// A field of /proc/self/status in KiB.
long statusKib(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        quit(QStringLiteral("cannot read /proc/self/status"));
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    }
    quit(QStringLiteral("/proc/self/status has no %1").arg(QLatin1String(field)));
}

// The grid's SELECT of the first records, with the bounds that the grid binds written in.
QByteArray firstRowsSql() {
    QStringList columns{QStringLiteral("rowid")};
    for (const TableSchema::Column& column : TableSchema::names().columns)
        columns.append(u'"' + column.name + u'"');
    return QStringLiteral(R"(SELECT %1 FROM "%2" WHERE rowid > -9223372036854775808 )"
                          "ORDER BY rowid LIMIT %3 OFFSET 0")
        .arg(columns.join(QStringLiteral(", ")), tableName)
        .arg(floorRows)
        .toUtf8();
}

// The connection as the main window holds it once it has started: the table attached, its
// password checked.
std::unique_ptr<NameSource> mainWindowSource(const QString& folder) {
    auto source = std::make_unique<NameSource>();
    source->setParam(QStringLiteral("PATH"), folder + u'/');
    source->connect();
    source->addPassword(TablePassword::programPassword);
    source->attach(tableName);
    return source;
}

sqlite3* openFile(const QString& path) {
    sqlite3* db = nullptr;
    // The flags of the program's connection: read and write, one thread, no mutex.
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        quit(QStringLiteral("cannot open %1").arg(path));
    return db;
}

void benchOpen(const QString& folder, int rounds) {
    const QString path = QDir(folder).filePath(tableName);
    const QByteArray sql = firstRowsSql();
    sqlite3* db = openFile(path);
    const auto stepFirstRows = [&](sqlite3* on) {
        if (floor_step_rows(on, sql.constData(), nullptr, floorRows) != floorRows)
            quit(QStringLiteral("the floor did not step %1 rows").arg(floorRows));
    };
    int shown = 0;
    // Each round ours opens the table in a new window, not yet shown, as each use of the window
    // does; making the window is not timed.
    const auto openRounds = [&](const std::function<NameSource&()>& source,
                                const std::function<void()>& floor) {
        return Rounds::interleaved(rounds, [&](Rounds& round) {
            NameSource& on = source();
            TFormBrowse form;
            round.timeBoth([&] { form.openTable(on, tableName); }, floor);
            shown = form.findChild<QTableView*>(QStringLiteral("DBGrid1"))->model()->rowCount();
        });
    };
    // The first open in a run: each round a new connection, set up as the main window's is
    // at the start, untimed.
    std::unique_ptr<NameSource> fresh;
    const Rounds first = openRounds(
        [&]() -> NameSource& {
            fresh = mainWindowSource(folder);
            return *fresh;
        },
        [&] { stepFirstRows(db); });
    if (shown <= 0)
        quit(QStringLiteral("the grid holds no records"));
    printFigure("browse-open", first,
                QStringLiteral("grid holding %1 records, against %2 rows stepped in C")
                    .arg(shown)
                    .arg(floorRows));

    const std::unique_ptr<NameSource> source = mainWindowSource(folder);
    sqlite3_stmt* kept = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &kept, nullptr) != SQLITE_OK)
        quit(QStringLiteral("cannot prepare %1").arg(QString::fromUtf8(sql)));
    const Rounds again =
        openRounds([&]() -> NameSource& { return *source; },
                   [&] {
                       if (floor_step_statement(kept, floorRows) != floorRows)
                           quit(QStringLiteral("the floor did not step %1 rows").arg(floorRows));
                   });
    sqlite3_finalize(kept);
    printFigure(
        "browse-reopen", again,
        QStringLiteral("the same with the statements kept prepared, ours and the C loop's"));

    BrowseTable table(*source, tableName);
    long read = 0;
    const Rounds rows = Rounds::interleaved(rounds, [&](Rounds& round) {
        round.timeBoth([&] { read = table.readForward(std::nullopt, 0, floorRows).size(); },
                       [&] { stepFirstRows(db); });
    });
    if (read != floorRows)
        quit(QStringLiteral("the table read %1 records").arg(read));
    printFigure("browse-rows", rows, QStringLiteral("%1 records").arg(floorRows));

    TFormBrowse form;
    form.openTable(*source, tableName);
    const QByteArray countSql =
        QStringLiteral(R"(SELECT count(*) FROM "%1")").arg(tableName).toUtf8();
    qint64 records = 0;
    const Rounds count = Rounds::interleaved(rounds, [&](Rounds& round) {
        round.timeBoth([&] { records = form.recordCount(); },
                       [&] { floor_step_rows(db, countSql.constData(), nullptr, -1); });
    });
    form.closeTable();
    sqlite3_close(db);
    printFigure("browse-count", count, QStringLiteral("%1 records").arg(records));
}

void benchMemory(TFormBrowse& form, const QString& folder) {
    const std::unique_ptr<NameSource> source = mainWindowSource(folder);
    // Writing 5 to clear_refs resets the peak to the present resident memory.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        quit(QStringLiteral("cannot reset the peak memory"));
    clear.close();
    const long before = statusKib("VmRSS:");
    form.openTable(*source, tableName);
    const qint64 records = form.recordCount();
    form.show();
    QCoreApplication::processEvents();
    form.grab();
    const long peak = statusKib("VmHWM:");
    std::printf("browse-memory peak_kib=%ld growth_kib=%ld records=%lld\n", peak, peak - before,
                static_cast<long long>(records));
    form.closeTable();
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchCommandLine line = readBenchCommandLine(
        app.arguments(), 2, QStringLiteral("browse-bench open|memory FOLDER [-n ROUNDS]"));
    const QStringList& args = line.words;
    const int rounds = line.rounds;
    const QString folder = QDir(args[1]).absolutePath();
    if (!QFileInfo(QDir(folder).filePath(tableName)).isFile())
        quit(QStringLiteral("%1 holds no %2").arg(folder, tableName));

    if (args[0] == QLatin1String("open")) {
        benchOpen(folder, rounds);
    } else if (args[0] == QLatin1String("memory")) {
        TFormBrowse form;
        benchMemory(form, folder);
    } else {
        quit(QStringLiteral("unknown part %1").arg(args[0]));
    }
    return 0;
}
