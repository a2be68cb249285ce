// nardel-check: lists the plant names of a document as the text check window does, or writes
// the document back with the names in italics.
#include "check/DocumentFile.h"
#include "check/NameCatalogReader.h"
#include "check/TextCheck.h"
#include "platform/BaseFormat.h"
#include "platform/HtmlWriter.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramTranslations.h"
#include "platform/TableFolders.h"
#include "store/NameSource.h"
#include "store/TableSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <cstdio>

namespace {

class CheckMain {
    Q_DECLARE_TR_FUNCTIONS(CheckMain)
};

const char* const help = QT_TRANSLATE_NOOP(
    "CheckMain",
    "Použití: nardel-check [--tables SLOŽKA] [--format tsv|html] [--no-misspellings] SOUBOR\n"
    "Najde v SOUBORU (text, HTML, RTF, .docx nebo .odt) jména rostlin a porovná je\n"
    "s tabulkami programu nardel (plantnames.db a syns.db).\n"
    "\n"
    "  --format tsv      (výchozí) vypíše na řádek jedno nalezené jméno: řádek textu,\n"
    "                    jméno, jak je napsáno, jméno v tabulkách a stav, oddělené\n"
    "                    tabulátorem; stav je přijaté, synonymum → platné jméno,\n"
    "                    překlep? → návrh, nebo neznámé\n"
    "  --format html     vypíše celý text jako HTML se jmény kurzívou\n"
    "  --no-misspellings nehledá překlepy\n"
    "  --tables SLOŽKA   tabulky z této složky; jinak je hledá jako program nardel:\n"
    "                    $NARDEL_TABLES, vlastní složka uživatele, složka programu\n"
    "\n"
    "Skončí s kódem 0, i když najde neznámá jména; 2, když soubor nebo tabulky nelze číst.\n");

void print(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int fail(const QString& message) {
    print(stderr, "nardel-check: " + message.toUtf8() + '\n');
    return 2;
}

// A field of a tab-separated line: its tabs and line breaks as spaces.
QByteArray field(const QString& text) {
    QString flat = text;
    flat.replace(u'\t', u' ').replace(u'\n', u' ');
    return flat.toUtf8();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const ProgramTranslations translations;
    QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        print(stdout, CheckMain::tr(help).toUtf8());
        return 0;
    }
    QString folder;
    QString format = QStringLiteral("tsv");
    bool misspellings = true;
    QString file;
    for (qsizetype at = 0; at < args.size(); ++at) {
        const QString& arg = args[at];
        if ((arg == QLatin1String("--tables") || arg == QLatin1String("--format")) &&
            at + 1 < args.size())
            (arg == QLatin1String("--tables") ? folder : format) = args[++at];
        else if (arg == QLatin1String("--no-misspellings"))
            misspellings = false;
        else if (file.isEmpty() && !arg.startsWith(u'-'))
            file = arg;
        else
            return fail(
                CheckMain::tr("neznámý argument %1; nápovědu vypíše nardel-check --help").arg(arg));
    }
    if (file.isEmpty())
        return fail(CheckMain::tr("chybí SOUBOR; nápovědu vypíše nardel-check --help"));
    if (format != QLatin1String("tsv") && format != QLatin1String("html"))
        return fail(CheckMain::tr("formát %1 neznám, jen tsv a html").arg(format));
    if (folder.isEmpty()) {
        const QStringList folders =
            tableFolders(QProcessEnvironment::systemEnvironment(), programFolder());
        folder = firstFolderHolding(folders, TableSchema::names().tableFile);
        if (folder.isEmpty())
            return fail(CheckMain::tr("tabulky nejsou v žádné z těchto složek:\n%1")
                            .arg(folders.join(u'\n')));
    }
    try {
        const StyledText text = documentText(file);
        NameSource source;
        source.connectToFolder(QDir(folder).absolutePath() + u'/');
        const NameCatalog catalog = readNameCatalog(source);
        const TextCheck check(catalog, text, misspellings);
        if (format == QLatin1String("html")) {
            print(stdout, writeHtml(check.formatted(), BaseFormat()));
            return 0;
        }
        for (qsizetype row = 0; row < check.size(); ++row)
            print(stdout, QByteArray::number(check.line(row)) + '\t' + field(check.written(row)) +
                              '\t' + field(check.name(row)) + '\t' + field(check.status(row)) +
                              '\n');
    } catch (const std::exception& error) {
        return fail(QString::fromUtf8(error.what()));
    }
    return 0;
}
