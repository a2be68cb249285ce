#include "FillBench.h"

#include "BenchWindow.h"
#include "QueryFloor.h"
#include "Rounds.h"
#include "store/ListQueries.h"
#include "support/FakeClipboard.h"
#include "support/PickerControls.h"

#include <QComboBox>
#include <QCoreApplication>
#include <sqlite3.h>

namespace {

// The SQL of a list query as the window's query hands it to SQLite.
std::string sqlOf(const QStringList& lines) {
    return lines.join('\n').toStdString();
}

QString firstRow(sqlite3* db, const char* sql, int columns) {
    sqlite3_stmt* statement = nullptr;
    QStringList values;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column)
            values.append(QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column))));
    }
    sqlite3_finalize(statement);
    if (values.isEmpty())
        quit(QStringLiteral("no row for %1").arg(QLatin1String(sql)));
    return values.join('\t');
}

} // namespace

LargestLists largestLists(const QString& tableFile) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(tableFile.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        quit(QStringLiteral("cannot open %1").arg(tableFile));
    const QString genus = firstRow(db,
                                   R"(SELECT GENUS, count(*) AS n FROM "plantnames.db" )"
                                   R"(WHERE LEVEL_=1 GROUP BY GENUS ORDER BY n DESC, GENUS)",
                                   1);
    const QStringList species =
        firstRow(db,
                 R"(SELECT GENUS, SPECIES, count(*) AS n FROM "plantnames.db" WHERE LEVEL_=2 )"
                 R"(GROUP BY GENUS, SPECIES ORDER BY n DESC, GENUS, SPECIES)",
                 2)
            .split('\t');
    sqlite3_close(db);
    return {genus, species[0], species[1]};
}

void benchFills(BenchWindow& windows, const QString& tableFile, int rounds,
                const LargestLists& lists) {
    const std::string file = tableFile.toStdString();
    QueryFloor genus(file, sqlOf(genusQueryLines()), {}, {"GENUS", "PAGE"});
    const std::string speciesSql = sqlOf(speciesQueryLines());
    const std::vector<std::string> speciesColumns{"SPECIES", "AUTOR0", "PAGE"};
    QueryFloor species(file, speciesSql, {lists.genus.toStdString()}, speciesColumns);
    QueryFloor speciesOfSubsp(file, speciesSql, {lists.speciesGenus.toStdString()}, speciesColumns);
    QueryFloor subsp(file, sqlOf(subspQueryLines()),
                     {lists.speciesGenus.toStdString(), lists.species.toStdString()},
                     {"SUBSP", "AUTOR1", "PAGE"});

    // The watch finds nothing on this clipboard, so it never changes the lists.
    FakeClipboard clipboard;
    const std::unique_ptr<TFormNardel> form = windows.activated(clipboard);
    const PickerControls controls = ui(*form);
    const auto timeFill = [](TFormNardel& window, void (TFormNardel::*fill)()) {
        return timeMs([&] { (window.*fill)(); });
    };
    const auto warmFill = [&](void (TFormNardel::*fill)(), QueryFloor& floor) {
        return Rounds::interleaved(rounds, [&](Rounds& round) {
            round.ours.push_back(timeFill(*form, fill));
            // Repainting follows the fill once the event loop runs; it is not the fill.
            QCoreApplication::processEvents();
            round.floor.push_back(floor.warm());
        });
    };

    Rounds figure = warmFill(&TFormNardel::FillGenusList, genus);
    checkCount(controls.LblGenus, genus.rows());
    printFigure("genus-fill-warm", figure, QStringLiteral("%1 genera").arg(genus.rows()));

    select(controls.CBgenus, lists.genus);
    figure = warmFill(&TFormNardel::FillSpeciesList, species);
    checkCount(controls.LblSpecies, species.rows());
    printFigure("species-fill-warm", figure,
                QStringLiteral("%1, %2 species").arg(lists.genus).arg(species.rows()));

    select(controls.CBgenus, lists.speciesGenus);
    form->FillSpeciesList();
    select(controls.CBspecies, lists.species);
    figure = warmFill(&TFormNardel::FillSubspList, subsp);
    checkCount(controls.LblSubsp, subsp.rows());
    printFigure("subsp-fill-warm", figure,
                QStringLiteral("%1 %2, %3 subspecies")
                    .arg(lists.speciesGenus, lists.species)
                    .arg(subsp.rows()));

    // Cold: each round a window that has just opened its tables, as at the program's start,
    // and the floor on the file opened afresh; both read the same earlier lists untimed. The
    // window has shown no info window, so it reads no list ahead: every fill timed here reads
    // on the window's own connection.
    const auto coldFill = [&](const std::function<void(TFormNardel&, Rounds&)>& ours,
                              const std::function<double()>& floor) {
        return Rounds::interleaved(rounds, [&](Rounds& round) {
            const std::unique_ptr<TFormNardel> fresh = windows.created(clipboard);
            ours(*fresh, round);
            round.floor.push_back(floor());
        });
    };
    figure = coldFill(
        [&](TFormNardel& w, Rounds& round) {
            round.ours.push_back(timeFill(w, &TFormNardel::FillGenusList));
            checkCount(ui(w).LblGenus, genus.rows());
        },
        [&] { return genus.cold(); });
    printFigure("genus-fill-cold", figure, QStringLiteral("%1 genera").arg(genus.rows()));

    figure = coldFill(
        [&](TFormNardel& w, Rounds& round) {
            w.FillGenusList();
            select(ui(w).CBgenus, lists.genus);
            round.ours.push_back(timeFill(w, &TFormNardel::FillSpeciesList));
            checkCount(ui(w).LblSpecies, species.rows());
        },
        [&] { return species.cold({&genus}); });
    printFigure("species-fill-cold", figure,
                QStringLiteral("%1, %2 species").arg(lists.genus).arg(species.rows()));

    figure = coldFill(
        [&](TFormNardel& w, Rounds& round) {
            w.FillGenusList();
            select(ui(w).CBgenus, lists.speciesGenus);
            w.FillSpeciesList();
            select(ui(w).CBspecies, lists.species);
            round.ours.push_back(timeFill(w, &TFormNardel::FillSubspList));
            checkCount(ui(w).LblSubsp, subsp.rows());
        },
        [&] {
            return subsp.cold({&genus, &speciesOfSubsp});
        });
    printFigure("subsp-fill-cold", figure,
                QStringLiteral("%1 %2, %3 subspecies")
                    .arg(lists.speciesGenus, lists.species)
                    .arg(subsp.rows()));
}
