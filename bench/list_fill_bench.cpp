// list-fill-bench: times the three list fills of the main window on a table folder.
//
//   list-fill-bench [-n N] [--genus G] [--species S --species-genus G2] FOLDER
//
// FOLDER holds plantnames.db and syns.db as nardel-import writes them. The real main window
// is created on it, shown (offscreen unless QT_QPA_PLATFORM says otherwise) and activated
// once; then each fill is run once more as a warm-up and N times measured. One line per
// measurement, the median in milliseconds:
//
//   genus-fill ms=12.345 rows=17015 n=15 min=... max=...
//   species-fill ms=... rows=2455 genus=Astragalus ...
//   subsp-fill ms=... rows=86 genus=Hieracium species=lachenalii ...
//
// Without --genus the genus with the most species is taken, without --species the species
// with the most subspecies; both are found by a query on the name table.
#include "picker/FNardel.h"
#include "platform/MessageBox.h"
#include "platform/QtClipboard.h"
#include "support/PickerControls.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

[[noreturn]] void quit(const QString& text) {
    std::fprintf(stderr, "list-fill-bench: %s\n", qPrintable(text));
    std::exit(1);
}

struct Timing {
    double median = 0;
    double min = 0;
    double max = 0;
    int n = 0;
};

// Runs `step` once as a warm-up, then `repeats` times under the clock. Posted events are
// handled between the runs, outside the clock, as the event loop would after a user's pick.
Timing measure(int repeats, const std::function<void()>& step) {
    step();
    QCoreApplication::processEvents();
    std::vector<double> ms;
    ms.reserve(size_t(repeats));
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer clock;
        clock.start();
        step();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        QCoreApplication::processEvents();
    }
    std::sort(ms.begin(), ms.end());
    const size_t mid = ms.size() / 2;
    Timing timing;
    timing.n = repeats;
    timing.median = ms.size() % 2 ? ms[mid] : (ms[mid - 1] + ms[mid]) / 2;
    timing.min = ms.front();
    timing.max = ms.back();
    return timing;
}

void print(const char* name, const Timing& timing, int rows, const QString& extra = {}) {
    std::printf("%s ms=%.3f rows=%d%s n=%d min=%.3f max=%.3f\n", name, timing.median, rows,
                qPrintable(extra), timing.n, timing.min, timing.max);
    std::fflush(stdout);
}

// The record count the window shows beside a list; it must agree with the list's entries
// (the species and subspecies lists have one blank entry more).
int shownCount(const QLabel* label, const QComboBox* list, int blankEntries) {
    bool ok = false;
    const int rows = label->text().toInt(&ok);
    if (!ok || list->count() != rows + blankEntries)
        quit(QStringLiteral("%1 shows '%2' but %3 has %4 entries")
                 .arg(label->objectName(), label->text(), list->objectName())
                 .arg(list->count()));
    return rows;
}

void select(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    if (index < 0)
        quit(QStringLiteral("'%1' is not in %2").arg(text, list->objectName()));
    list->setCurrentIndex(index);
}

// The genus with the most species and the species with the most subspecies, read from the
// name table on a connection of its own, closed before the window opens the table.
struct Largest {
    QString genus;
    QString speciesGenus;
    QString species;
};

Largest findLargest(const QString& tablePath, bool wantGenus, bool wantSpecies) {
    Largest largest;
    if (!wantGenus && !wantSpecies)
        return largest;
    const QString connection = QStringLiteral("list-fill-bench");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(tablePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            quit(db.lastError().text());
        QSqlQuery query(db);
        const auto run = [&query](const QString& sql) {
            if (!query.exec(sql) || !query.next())
                quit(QStringLiteral("%1: %2").arg(sql, query.lastError().text()));
        };
        if (wantGenus) {
            run(QStringLiteral(R"(SELECT GENUS, count(*) AS n FROM "plantnames.db" )"
                               R"(WHERE LEVEL_=1 GROUP BY GENUS ORDER BY n DESC, GENUS LIMIT 1)"));
            largest.genus = query.value(0).toString();
        }
        if (wantSpecies) {
            run(QStringLiteral(R"(SELECT GENUS, SPECIES, count(*) AS n FROM "plantnames.db" )"
                               R"(WHERE LEVEL_=2 GROUP BY GENUS, SPECIES )"
                               R"(ORDER BY n DESC, GENUS, SPECIES LIMIT 1)"));
            largest.speciesGenus = query.value(0).toString();
            largest.species = query.value(1).toString();
        }
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return largest;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("list-fill-bench"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the genus, species and subspecies list fills of the main window."));
    parser.addHelpOption();
    const QCommandLineOption repeatOption({QStringLiteral("n"), QStringLiteral("repeat")},
                                          QStringLiteral("Measured runs of each fill."),
                                          QStringLiteral("N"), QStringLiteral("15"));
    const QCommandLineOption genusOption(QStringLiteral("genus"),
                                         QStringLiteral("Genus of the species fill."),
                                         QStringLiteral("GENUS"));
    const QCommandLineOption speciesOption(QStringLiteral("species"),
                                           QStringLiteral("Species of the subspecies fill."),
                                           QStringLiteral("EPITHET"));
    const QCommandLineOption speciesGenusOption(QStringLiteral("species-genus"),
                                                QStringLiteral("Genus of that species."),
                                                QStringLiteral("GENUS"));
    parser.addOptions({repeatOption, genusOption, speciesOption, speciesGenusOption});
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("Folder with plantnames.db and syns.db."));
    parser.process(app);

    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    bool ok = false;
    const int repeats = parser.value(repeatOption).toInt(&ok);
    if (!ok || repeats < 1)
        quit(QStringLiteral("-n takes a positive whole number"));
    if (parser.isSet(speciesOption) != parser.isSet(speciesGenusOption))
        quit(QStringLiteral("--species and --species-genus go together"));

    const QString folder = QDir(parser.positionalArguments().first()).absolutePath();
    for (const char* file : {"plantnames.db", "syns.db"}) {
        if (!QFileInfo(QDir(folder).filePath(QLatin1String(file))).isFile())
            quit(QStringLiteral("%1 holds no %2").arg(folder, QLatin1String(file)));
    }

    Largest target = findLargest(QDir(folder).filePath(QStringLiteral("plantnames.db")),
                                 !parser.isSet(genusOption), !parser.isSet(speciesOption));
    if (parser.isSet(genusOption))
        target.genus = parser.value(genusOption);
    if (parser.isSet(speciesOption)) {
        target.species = parser.value(speciesOption);
        target.speciesGenus = parser.value(speciesGenusOption);
    }

    // Any message box of the window ends the run: its lists would not be what is measured.
    MessageBox::setSink([](MessageBox::Kind, const QString& title, const QString& text) {
        quit(QStringLiteral("the window reports: %1: %2").arg(title, text));
    });

    QElapsedTimer clock;
    clock.start();
    QtClipboard clipboard;
    TFormNardel form(folder + '/', clipboard);
    const double createMs = double(clock.nsecsElapsed()) / 1e6;
    form.show();
    // The first activation fills the genus list, as at the program's start.
    clock.restart();
    form.FormActivate();
    const double activateMs = double(clock.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    std::printf("window-create ms=%.3f\nfirst-activation ms=%.3f rows=%d\n", createMs, activateMs,
                shownCount(ui(form).LblGenus, ui(form).CBgenus, 0));

    const Timing genus = measure(repeats, [&form] { form.FillGenusList(); });
    print("genus-fill", genus, shownCount(ui(form).LblGenus, ui(form).CBgenus, 0));

    select(ui(form).CBgenus, target.genus);
    const Timing species = measure(repeats, [&form] { form.FillSpeciesList(); });
    print("species-fill", species, shownCount(ui(form).LblSpecies, ui(form).CBspecies, 1),
          QStringLiteral(" genus=") + target.genus);

    select(ui(form).CBgenus, target.speciesGenus);
    form.FillSpeciesList();
    select(ui(form).CBspecies, target.species);
    const Timing subsp = measure(repeats, [&form] { form.FillSubspList(); });
    print("subsp-fill", subsp, shownCount(ui(form).LblSubsp, ui(form).CBsubsp, 1),
          QStringLiteral(" genus=%1 species=%2").arg(target.speciesGenus, target.species));
    return 0;
}
