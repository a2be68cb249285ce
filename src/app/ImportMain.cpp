// nardel-import: builds plantnames.db and syns.db from tab-separated text files.
#include "store/EngineError.h"
#include "store/TableImport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: nardel-import NAMES.tsv SYNONYMS.tsv FOLDER\n"
                             "Writes FOLDER/plantnames.db and FOLDER/syns.db.\n");
        return 2;
    }
    if (!QFileInfo(args[2]).isDir()) {
        std::fprintf(stderr, "nardel-import: %s is not a folder\n", qPrintable(args[2]));
        return 2;
    }
    const bool terminal = ::isatty(STDERR_FILENO);
    try {
        TableImport::importTables(
            args[0], args[1], args[2], [terminal](const QString& file, qint64 rows) {
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
    return 0;
}
