// Nardel: picks botanical names from three linked lists and copies them for a word processor.
#include "app/ProgramOptions.h"
#include "picker/FNardel.h"
#include "platform/DisplayPlatform.h"
#include "platform/FontConfigWarmUp.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramTranslations.h"
#include "platform/QtClipboard.h"
#include "platform/TableFolders.h"
#include "platform/TerminationSignals.h"
#include "shell/SettingsStore.h"
#include "shell/VersionRecord.h"
#include "store/TablePair.h"
#include "store/TableSchema.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace {

// Answers --help and --version, or a command line that cannot be used, and gives the exit
// code; a command line that starts the program has no answer.
int answerCommandLine(const ProgramOptions& options) {
    switch (options.action) {
    case ProgramOptions::Action::Run:
        return 0;
    case ProgramOptions::Action::Help:
        std::fputs(qPrintable(programHelp()), stdout);
        return 0;
    case ProgramOptions::Action::Version:
        std::printf(
            "Nardel %s\n",
            qPrintable(
                VersionRecord::program().value(QStringLiteral("FileVersion")).value_or(QString())));
        return 0;
    case ProgramOptions::Action::Fail:
        std::fprintf(stderr, "nardel: %s\n%s\n", qPrintable(options.error),
                     qPrintable(ProgramOptions::tr("Nápovědu vypíše nardel --help.")));
        return 2;
    }
    return 2;
}

// The folders searched for the tables: the chosen one, or the search order.
QStringList foldersToSearch(const ProgramOptions& options) {
    if (!options.tablesFolder.isEmpty())
        return {options.tablesFolder};
    return tableFolders(QProcessEnvironment::systemEnvironment(), programFolder());
}

// Read as the PNG pictures they are: a reader allowed to guess the format loads every image
// plugin and asks each of them first, even when it is told the format.
QIcon programIcon() {
    QIcon icon;
    for (const int size : {NARDEL_ICON_SIZES}) {
        QImageReader picture(QStringLiteral(":/icons/%1x%1/" NARDEL_APP_ID ".png").arg(size),
                             "png");
        picture.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(picture.read()));
    }
    return icon;
}

// The folder whose tables the window opens: the first that holds them. When none does, the
// first searched: the window then reports it with every folder searched.
QString tableFolderAmong(const QStringList& folders) {
    const QString found = firstFolderHolding(folders, TableSchema::names().tableFile);
    return found.isEmpty() ? folders.first() : found;
}

} // namespace

int main(int argc, char* argv[]) {
    // Help, version and a wrong command line need no display: they are answered before the
    // toolkit starts, which without one would abort. A core application translates their
    // texts; the command line is read again under it, so that its errors come translated.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ProgramOptions options = readProgramOptions(arguments);
    if (options.action != ProgramOptions::Action::Run) {
        QCoreApplication commandLine(argc, argv);
        const ProgramTranslations translations;
        return answerCommandLine(readProgramOptions(arguments));
    }

    const QByteArray platform = preferredPlatform(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"),
                                                  qEnvironmentVariableIsSet("WAYLAND_DISPLAY"),
                                                  qEnvironmentVariableIsSet("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    FontConfigWarmUp fontConfig;
    std::optional<ToolkitStartGuard> toolkitStart(std::in_place);
    QApplication app(argc, argv);
    toolkitStart.reset();

    // The application's title, which message boxes carry. No display name is set: Qt would
    // append it to every window's caption. The name is also the window's class, which the
    // desktop entry names, so that the desktop groups the window under the entry's icon.
    QApplication::setApplicationName(QStringLiteral("Nardel"));
    QGuiApplication::setDesktopFileName(QStringLiteral(NARDEL_APP_ID));
    const ProgramTranslations translations;

    QtClipboard clipboard;
    const QStringList folders = foldersToSearch(options);
    // An import killed between its two tables is completed before either is read.
    for (const QString& folder : folders)
        TablePair::recover(folder);
    // The program's options and window place, read and written by its windows.
    SettingsStore settings;
    settings.openProgramKey(VersionRecord::program());
    fontConfig.wait();
    TFormNardel FormNardel(tableFolderAmong(folders), clipboard, settings, folders);
    FormNardel.show();
    // Posted after the window's first steps, the icon is decoded once the info window is on
    // the screen; the desktop shows it a moment later.
    QTimer::singleShot(0, &FormNardel, [] { QApplication::setWindowIcon(programIcon()); });
    // A session's end closes the window as its user would, so the options are saved; the
    // loops of open dialogs end with it.
    TerminationSignals terminationSignals([&FormNardel] {
        FormNardel.close();
        QCoreApplication::quit();
    });
    return app.exec();
}
