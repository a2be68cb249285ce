// picker-bench: the main window's list fills and clipboard lookups against their floors.
//
//   picker-bench fills|lookups|watch FOLDER [-n ROUNDS]
//
// FOLDER holds plantnames.db and syns.db. Each figure is one line: its key, our median and
// the floor's median in milliseconds, the rounds, and what was measured. The windows use a
// settings root of their own and never show a modal window for long: the program info
// window of the first activation is closed as its user closes it.
#include "BenchWindow.h"
#include "FillBench.h"
#include "LookupBench.h"
#include "Rounds.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const BenchCommandLine line = readBenchCommandLine(
        app.arguments(), 2, QStringLiteral("picker-bench fills|lookups|watch FOLDER [-n ROUNDS]"));
    const QStringList& args = line.words;
    const int rounds = line.rounds;
    const QString folder = QDir(args[1]).absolutePath();
    const QString tableFile = QDir(folder).filePath(QStringLiteral("plantnames.db"));
    if (!QFileInfo(tableFile).isFile())
        quit(QStringLiteral("%1 holds no plantnames.db").arg(folder));

    const LargestLists lists = largestLists(tableFile);
    BenchWindow windows(folder);
    if (args[0] == QLatin1String("fills"))
        benchFills(windows, tableFile, rounds, lists);
    else if (args[0] == QLatin1String("lookups"))
        benchLookups(windows, rounds, lists.speciesGenus, lists.species);
    else if (args[0] == QLatin1String("watch"))
        benchWatchTick(windows, rounds, lists.speciesGenus + ' ' + lists.species);
    else
        quit(QStringLiteral("unknown part %1").arg(args[0]));
    return 0;
}
