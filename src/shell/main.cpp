// Nardel: picks botanical names from three linked lists and copies them for a word processor.
#include "FNardel.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nardel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Nardel"));
    TFormNardel FormNardel(QApplication::applicationDirPath());
    FormNardel.show();
    return app.exec();
}
