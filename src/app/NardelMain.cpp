// Nardel: picks botanical names from three linked lists and copies them for a word processor.
#include "picker/FNardel.h"
#include "platform/QtClipboard.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Wayland lets no unfocused program watch the clipboard and has no stay-on-top request,
    // so the program runs through XWayland unless the user chose a platform.
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // The application's title, which message boxes carry. No display name is set: Qt would
    // append it to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Nardel"));
    QtClipboard clipboard;
    TFormNardel FormNardel(QApplication::applicationDirPath(), clipboard);
    FormNardel.show();
    return app.exec();
}
