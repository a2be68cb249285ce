// two-windows: the least program that starts as Nardel starts, to show how near the empty
// dialog any such start can come: a window, and when it shows, a modal dialog with the flags
// of the program info window and one line of text. Fonts are loaded on a thread of their own
// while the toolkit starts, as the program does.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <fontconfig/fontconfig.h>
#include <thread>

namespace {

class FirstWindow : public QDialog {
protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        if (m_shown)
            return;
        m_shown = true;
        QTimer::singleShot(0, this, [this] {
            QDialog info(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowStaysOnTopHint);
            info.setWindowTitle(QStringLiteral("empty-dialog"));
            QLabel line(QStringLiteral("Nardel Professional, verze 1.0"), &info);
            line.adjustSize();
            info.exec();
        });
    }

private:
    bool m_shown = false;
};

} // namespace

int main(int argc, char* argv[]) {
    std::thread fonts([] { FcInit(); });
    QApplication app(argc, argv);
    fonts.join();
    FirstWindow window;
    window.setWindowTitle(QStringLiteral("two-windows"));
    window.show();
    return app.exec();
}
