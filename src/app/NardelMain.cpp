// Nardel: picks botanical names from three linked lists and copies them for a word processor.
#include "picker/FNardel.h"
#include "platform/DisplayPlatform.h"
#include "platform/ProgramFolder.h"
#include "platform/QtClipboard.h"
#include "platform/TerminationSignals.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    const QByteArray platform = preferredPlatform(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"),
                                                  qEnvironmentVariableIsSet("WAYLAND_DISPLAY"),
                                                  qEnvironmentVariableIsSet("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    QApplication app(argc, argv);
    // The application's title, which message boxes carry. No display name is set: Qt would
    // append it to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Nardel"));
    QtClipboard clipboard;
    TFormNardel FormNardel(programFolder(), clipboard);
    FormNardel.show();
    // A session's end closes the window as its user would, so the options are saved; the
    // loops of open dialogs end with it.
    TerminationSignals terminationSignals([&FormNardel] {
        FormNardel.close();
        QCoreApplication::quit();
    });
    return app.exec();
}
