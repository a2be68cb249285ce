#pragma once

#include "support/TestSettings.h"

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// A private X server (Xvfb on a free display) with the real program copied into a temporary
// folder beside its table files, and the second programs (xdotool, xclip) that act on it.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool isRunning() const { return !display_.isEmpty(); }
    QString display() const { return display_; }
    // The program's settings root, empty at first.
    const TestSettings& settings() const { return settings_; }
    // The temporary program folder; copy table files here before start().
    QString programFolder() const { return programDir_.path(); }
    void copyIntoProgramFolder(const QString& path) const;
    // Copies the bundled name and synonym tables into the program folder.
    void copyBundledTables() const;

    // Sets the screen density that desktops announce to programs (Xft.dpi); programs started
    // afterwards scale to it.
    void setDotsPerInch(int dotsPerInch) const;
    // Copies the program into the program folder and starts it there.
    void startProgram(const QString& programPath);
    // Starts a program where it lies, in `environment` when one is given, else in environment().
    void runProgram(const QString& path, const QStringList& arguments = {},
                    const QProcessEnvironment& environment = {});
    // Starts the program, passes its info window as its user does and returns the id of its
    // main window; empty when either window does not come.
    QString startToMainWindow(const QString& programPath);
    QProcess& program() { return program_; }

    // Runs a command on the display and returns its standard output, trimmed.
    QString run(const QString& command, const QStringList& arguments,
                int* exitCode = nullptr) const;
    // The first line that a starting program prints, trimmed; empty when none comes.
    static QString firstLineOf(QProcess& process);
    // Polls `condition` until it holds or the deadline passes.
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000);
    // The id of the first visible window whose title matches `pattern`, or empty.
    QString findWindow(const QString& pattern) const;
    // "WIDTHxHEIGHT" of a window, as xdotool reports it.
    QString windowSize(const QString& window) const;
    // "X,Y" of a window on the screen, as xdotool reports it.
    QString windowPosition(const QString& window) const;
    // Focuses a window and presses a key on the keyboard, as its user does. Keys sent to a
    // window as events (xdotool key --window) can reach the next window as well.
    void pressKey(const QString& window, const QString& key) const;
    // Gives the keyboard focus to the desktop, as when the user turns to another program.
    void focusDesktop() const;
    // Clicks at a point of a window, in the screen's pixels from its top-left corner.
    void click(const QString& window, QPoint point) const;
    // Asks a window to close, as a window manager does.
    void closeWindow(const QString& window) const;
    // Waits for a window whose title matches `title` and presses Enter in it until it goes.
    bool dismissWithEnter(const QString& title) const;
    // Presses Enter in the program info window, which the program shows at its start.
    bool dismissInfoWindow() const;

    // The environment of programs on the display: the program's settings and data folders.
    QProcessEnvironment environment() const;

private:
    QProcess server_;
    QProcess program_;
    QString display_;
    QTemporaryDir programDir_;
    // The user's data folder, empty: the program finds no table of the user's own there.
    QTemporaryDir dataHome_;
    TestSettings settings_;
};
