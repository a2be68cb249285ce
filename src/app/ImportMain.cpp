// nardel-import: builds plantnames.db and syns.db from a checklist archive or from
// tab-separated text files.
#include "app/ImportProgress.h"
#include "import/ArchiveFiles.h"
#include "import/ArchiveImport.h"
#include "import/ChecklistCitation.h"
#include "import/SynonymLinks.h"
#include "import/TableImport.h"
#include "platform/ProgramTranslations.h"
#include "platform/TableFolders.h"
#include "store/EngineError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The context of the program's own texts.
class ImportMain {
    Q_DECLARE_TR_FUNCTIONS(ImportMain)
};

const char* const help = QT_TRANSLATE_NOOP(
    "ImportMain",
    "Použití: nardel-import [--quiet] ARCHIV [SLOŽKA]\n"
    "        nardel-import [--quiet] JMÉNA.tsv SYNONYMA.tsv [SLOŽKA]\n"
    "Vytvoří ve SLOŽCE tabulky plantnames.db a syns.db pro program nardel; chybějící\n"
    "SLOŽKU založí. Bez SLOŽKY je zapíše do vlastní složky uživatele, kde je program najde:\n"
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
    "špatně; dřívější tabulky ve SLOŽCE pak zůstanou, jak byly.\n");

// The limits of an archive's import, with their values.
QString limits() {
    return ImportMain::tr(
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

// Two arguments are two tab-separated files when the second is there and no folder (a file,
// or a pipe), or is missing but named like one; else an archive and the folder to write,
// which need not be there yet.
bool isArchiveImport(const QStringList& args) {
    if (args.size() != 2)
        return args.size() == 1;
    const QFileInfo second(args[1]);
    if (second.exists())
        return second.isDir();
    return !second.fileName().endsWith(QLatin1String(".tsv"), Qt::CaseInsensitive);
}

void print(std::FILE* stream, const QString& lines) {
    std::fputs(lines.toUtf8().constData(), stream);
}

// Where the tables went and when the program reads them: a running Nardel that reads the
// folder takes them up by itself; a start reads them from the user's own folder unless
// NARDEL_TABLES names another, or from the folder given with --tables.
QString whereTheTablesAre(const QString& given, bool folderGiven) {
    const QString folder = QDir(given).absolutePath();
    const QString running =
        ImportMain::tr("Tabulky jsou ve složce %1.\nBěžící Nardel, který čte tuto složku, si je "
                       "načte sám.\n")
            .arg(folder);
    if (folderGiven)
        return running +
               ImportMain::tr("Jinak je Nardel načte, spustíte-li jej s volbou --tables %1.\n")
                   .arg(folder);
    return running + ImportMain::tr("Jinak je Nardel načte při příštím spuštění.\n");
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef __GLIBC__
    // An import frees its large tables phase by phase. Left to itself, glibc raises the size
    // from which it maps blocks of their own, and the size from which it gives freed memory
    // back, to the largest block freed so far: memory then freed by smaller blocks can stay
    // with the process while the next phase takes its own. A fixed size keeps both as they
    // start.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    QCoreApplication app(argc, argv);
    const ProgramTranslations translations;
    QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        print(stdout, ImportMain::tr(help) + limits());
        return 0;
    }
    const bool quiet =
        args.removeAll(QStringLiteral("--quiet")) + args.removeAll(QStringLiteral("-q")) > 0;
    if (args.isEmpty() || args.size() > 3) {
        print(stderr,
              ImportMain::tr("Použití: nardel-import [--quiet] ARCHIV [SLOŽKA]\n"
                             "        nardel-import [--quiet] JMÉNA.tsv SYNONYMA.tsv [SLOŽKA]\n"
                             "Zapíše SLOŽKA/plantnames.db a SLOŽKA/syns.db.\n"
                             "Nápovědu vypíše nardel-import --help.\n"));
        return 2;
    }
    const bool archive = isArchiveImport(args);
    const bool folderGiven = args.size() == (archive ? 2 : 3);
    const QString folder =
        folderGiven ? args.last() : userTableFolder(QProcessEnvironment::systemEnvironment());
    if (QFileInfo(folder).exists() && !QFileInfo(folder).isDir()) {
        print(stderr,
              ImportMain::tr("nardel-import: %1 není složka. Zadejte složku, do níž se mají "
                             "tabulky zapsat.\n")
                  .arg(folder));
        return 2;
    }
    if (!QDir().mkpath(folder)) {
        print(stderr,
              ImportMain::tr("nardel-import: složku %1 nelze vytvořit. Zkontrolujte, že smíte "
                             "zapisovat do složky nad ní.\n")
                  .arg(folder));
        return 1;
    }
    ImportReport report;
    try {
        ImportProgress progress(stderr);
        PhaseProgress show;
        if (::isatty(STDERR_FILENO) && !quiet)
            show = [&progress](ImportPhase phase, qint64 done, qint64 total, qint64 rows) {
                progress.show(phase, done, total, rows);
            };
        report = archive ? ArchiveImport::importArchive(args[0], folder, show)
                         : TableImport::importTables(args[0], args[1], folder, show);
    } catch (const ImportError& error) {
        print(stderr, QString::fromUtf8(error.what()) + u'\n');
        if (!archive)
            print(stderr,
                  ImportMain::tr("Opravte to a spusťte import znovu; tabulky ve složce %1 se "
                                 "nezměnily.\n")
                      .arg(folder));
        return 1;
    } catch (const EngineError& error) {
        print(stderr, QStringLiteral("nardel-import: ") + error.message() + u'\n');
        return 1;
    }
    if (quiet)
        return 0;
    print(stdout, report.text() + whereTheTablesAre(folder, folderGiven));
    return 0;
}
