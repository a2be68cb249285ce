// Saves a picture of a window as PNG. Usage: grab_window WINDOW_ID FILE (the id decimal, as
// xdotool prints it); the display is the one in DISPLAY.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: grab_window WINDOW_ID FILE\n");
        return 2;
    }
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(args[1].toULongLong());
    return !picture.isNull() && picture.save(args[2], "PNG") ? 0 : 1;
}
