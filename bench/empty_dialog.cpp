// empty-dialog: the floor of the program's start: a Qt Widgets dialog with nothing in it,
// built with the flags of the program info window, shown and closed by its user.
#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowStaysOnTopHint);
    dialog.setWindowTitle(QStringLiteral("empty-dialog"));
    return dialog.exec() == QDialog::Rejected ? 0 : 1;
}
