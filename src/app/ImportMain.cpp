// nardel-import: builds plantnames.db and syns.db from tab-separated text files.
#include "platform/TableFolders.h"
#include "store/EngineError.h"
#include "store/TableImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {

const char* const help =
    "Použití: nardel-import JMÉNA.tsv SYNONYMA.tsv [SLOŽKA]\n"
    "Vytvoří ve SLOŽCE tabulky plantnames.db a syns.db pro program nardel. Bez SLOŽKY je\n"
    "zapíše do vlastní složky uživatele, kde je program najde:\n"
    "$XDG_DATA_HOME/nardel, jinak ~/.local/share/nardel.\n"
    "\n"
    "Oba soubory jsou text v UTF-8, sloupce oddělené tabulátorem, první řádek je pojmenuje:\n"
    "  jména     LEVEL_ (0 rod, 1 druh, 2 poddruh), GENUS, SPECIES,\n"
    "            SUBSP (slovo ranku a epiteton, např. \"subsp. obovata\"),\n"
    "            AUTOR0 (autor druhu), AUTOR1 (autor poddruhu), PAGE, PN_REC\n"
    "  synonyma  syn, pn_rec (PN_REC přijatého jména)\n"
    "\n"
    "Chybný řádek import zastaví se zprávou soubor:řádek: co je špatně; dřívější tabulky\n"
    "ve SLOŽCE pak zůstanou, jak byly.\n";

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(help, stdout);
        return 0;
    }
    if (args.size() != 2 && args.size() != 3) {
        std::fprintf(stderr, "usage: nardel-import NAMES.tsv SYNONYMS.tsv [FOLDER]\n"
                             "Writes FOLDER/plantnames.db and FOLDER/syns.db.\n"
                             "Nápovědu vypíše nardel-import --help.\n");
        return 2;
    }
    const QString folder =
        args.size() == 3 ? args[2] : userTableFolder(QProcessEnvironment::systemEnvironment());
    // The user's own folder is made on the first import; a folder given must be there.
    if (args.size() == 2 && !QDir().mkpath(folder)) {
        std::fprintf(stderr, "nardel-import: složku %s nelze vytvořit\n", qPrintable(folder));
        return 1;
    }
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "nardel-import: %s is not a folder\n", qPrintable(folder));
        return 2;
    }
    const bool terminal = ::isatty(STDERR_FILENO);
    try {
        TableImport::importTables(
            args[0], args[1], folder, [terminal](const QString& file, qint64 rows) {
                std::fprintf(stderr, "%s: %lld rows%s", qPrintable(file),
                             static_cast<long long>(rows), terminal ? "\r" : "\n");
            });
    } catch (const ImportError& error) {
        std::fprintf(stderr, "%s%s\n", terminal ? "\n" : "", error.what());
        return 1;
    } catch (const EngineError& error) {
        std::fprintf(stderr, "%snardel-import: %s\n", terminal ? "\n" : "",
                     qPrintable(error.message()));
        return 1;
    }
    if (terminal)
        std::fprintf(stderr, "\n");
    if (args.size() == 2)
        std::fprintf(stderr, "Tabulky jsou v %s\n", qPrintable(folder));
    return 0;
}
