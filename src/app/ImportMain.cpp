// nardel-import: builds plantnames.db and syns.db from a checklist archive or from
// tab-separated text files.
#include "app/ImportProgress.h"
#include "platform/TableFolders.h"
#include "store/ArchiveFiles.h"
#include "store/ArchiveImport.h"
#include "store/ChecklistCitation.h"
#include "store/EngineError.h"
#include "store/SynonymLinks.h"
#include "store/TableImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {

const char* const help =
    "Použití: nardel-import [--quiet] ARCHIV [SLOŽKA]\n"
    "        nardel-import [--quiet] JMÉNA.tsv SYNONYMA.tsv [SLOŽKA]\n"
    "Vytvoří ve SLOŽCE tabulky plantnames.db a syns.db pro program nardel. Bez SLOŽKY je\n"
    "zapíše do vlastní složky uživatele, kde je program najde:\n"
    "$XDG_DATA_HOME/nardel, jinak ~/.local/share/nardel.\n"
    "\n"
    "ARCHIV je seznam taxonů ve formátu Darwin Core Archive: soubor zip, rozbalená složka\n"
    "s meta.xml, nebo jediný soubor s daty, jehož první řádek jmenuje termy. Přijatá jména\n"
    "rodů, druhů a nižších taxonů (subsp., var., f. ...) rostlin se stanou řádky tabulky\n"
    "jmen, synonyma, jejichž acceptedNameUsageID k nim vede, řádky tabulky synonym.\n"
    "Citace seznamu (z eml.xml) se uloží do tabulky a program ji ukáže u čísel stran.\n"
    "Na konci import vypíše, co zapsal a které řádky vynechal a proč; --quiet nevypíše\n"
    "nic než chyby.\n"
    "\n"
    "Soubory tsv jsou text v UTF-8, sloupce oddělené tabulátorem, první řádek je pojmenuje:\n"
    "  jména     LEVEL_ (0 rod, 1 druh, 2 poddruh), GENUS, SPECIES,\n"
    "            SUBSP (slovo ranku a epiteton, např. \"subsp. obovata\"),\n"
    "            AUTOR0 (autor druhu), AUTOR1 (autor poddruhu), PAGE, PN_REC\n"
    "  synonyma  syn, pn_rec (PN_REC přijatého jména)\n"
    "\n"
    "Chybný řádek nebo poškozený archiv import zastaví se zprávou soubor:řádek: co je\n"
    "špatně; dřívější tabulky ve SLOŽCE pak zůstanou, jak byly.\n";

// The limits of an archive's import, with their values.
QString limits() {
    return QStringLiteral(
               "\n"
               "Meze importu archivu (proti zip bombám a zahlcení):\n"
               "  - soubor v zipu se rozbalí nejvýš na %1 GiB, a je-li větší než %2 MiB,\n"
               "    nejvýš na %3násobek své zabalené velikosti;\n"
               "  - synonyma vedou dohromady nejvýš k %4 přijatým jménům (každé\n"
               "    synonymum zvlášť, i přes další synonyma);\n"
               "  - stejné synonymum se stejným přijatým jménem se zapíše jednou;\n"
               "  - citace delší než %5 znaků se ukáže zkrácená, celá zůstane v tabulce.\n")
        .arg(ArchiveFiles::largestUnpacked >> 30)
        .arg(ArchiveFiles::smallEntry >> 20)
        .arg(ArchiveFiles::mostPackedRatio)
        .arg(SynonymLinks::mostLinks)
        .arg(ChecklistCitation::longest);
}

// Two arguments are two tab-separated files when the second is a file, else an archive and
// the folder to write.
bool isArchiveImport(const QStringList& args) {
    return args.size() == 1 || (args.size() == 2 && !QFileInfo(args[1]).isFile());
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(help, stdout);
        std::fputs(limits().toUtf8().constData(), stdout);
        return 0;
    }
    const bool quiet =
        args.removeAll(QStringLiteral("--quiet")) + args.removeAll(QStringLiteral("-q")) > 0;
    if (args.isEmpty() || args.size() > 3) {
        std::fprintf(stderr, "usage: nardel-import [--quiet] ARCHIVE [FOLDER]\n"
                             "       nardel-import [--quiet] NAMES.tsv SYNONYMS.tsv [FOLDER]\n"
                             "Writes FOLDER/plantnames.db and FOLDER/syns.db.\n"
                             "Nápovědu vypíše nardel-import --help.\n");
        return 2;
    }
    const bool archive = isArchiveImport(args);
    const bool folderGiven = args.size() == (archive ? 2 : 3);
    const QString folder =
        folderGiven ? args.last() : userTableFolder(QProcessEnvironment::systemEnvironment());
    // The user's own folder is made on the first import; a folder given must be there.
    if (!folderGiven && !QDir().mkpath(folder)) {
        std::fprintf(stderr, "nardel-import: složku %s nelze vytvořit\n", qPrintable(folder));
        return 1;
    }
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "nardel-import: %s is not a folder\n", qPrintable(folder));
        return 2;
    }
    const bool terminal = ::isatty(STDERR_FILENO);
    ImportReport report;
    try {
        if (archive) {
            ImportProgress progress(stderr);
            ArchiveImport::Progress show;
            if (terminal && !quiet)
                show = [&progress](ArchiveImport::Phase phase, qint64 done, qint64 total,
                                   qint64 rows) { progress.show(phase, done, total, rows); };
            report = ArchiveImport::importArchive(args[0], folder, show);
        } else {
            TableImport::importTables(
                args[0], args[1], folder, [terminal, quiet](const QString& file, qint64 rows) {
                    if (!quiet)
                        std::fprintf(stderr, "%s: %lld rows%s", qPrintable(file),
                                     static_cast<long long>(rows), terminal ? "\r" : "\n");
                });
            if (terminal && !quiet)
                std::fprintf(stderr, "\n");
        }
    } catch (const ImportError& error) {
        std::fprintf(stderr, "%s%s\n", terminal && !archive ? "\n" : "", error.what());
        return 1;
    } catch (const EngineError& error) {
        std::fprintf(stderr, "%snardel-import: %s\n", terminal && !archive ? "\n" : "",
                     qPrintable(error.message()));
        return 1;
    }
    if (quiet)
        return 0;
    if (archive)
        std::fputs(report.text().toUtf8().constData(), stdout);
    if (!folderGiven)
        std::fprintf(stderr, "Tabulky jsou v %s\n", qPrintable(folder));
    return 0;
}
