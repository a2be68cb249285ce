#include "e2e/XSession.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

XSession::XSession() {
    // -displayfd makes the server pick a free display and write its number to stdout;
    // -noreset keeps it from resetting when its last client goes, so a program started
    // again at once finds it ready.
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp"), QStringLiteral("-noreset")});
    const QString number = firstLineOf(server_);
    if (!number.isEmpty())
        display_ = ':' + number;
}

QString XSession::firstLineOf(QProcess& process) {
    QDeadlineTimer deadline(10000);
    QByteArray line;
    while (!line.contains('\n') && !deadline.hasExpired() &&
           process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(100);
        line += process.readAllStandardOutput();
    }
    return QString::fromUtf8(line.trimmed());
}

XSession::~XSession() {
    for (QProcess* process : {&program_, &server_}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
}

QProcessEnvironment XSession::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("NARDEL_SETTINGS_ROOT"), settings_.root());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome_.path());
    env.remove(QStringLiteral("NARDEL_TABLES"));
    return env;
}

void XSession::copyIntoProgramFolder(const QString& path) const {
    const QString target = programDir_.filePath(QFileInfo(path).fileName());
    QFile::remove(target);
    if (!QFile::copy(path, target))
        qFatal("cannot copy %s", qPrintable(path));
}

void XSession::startProgram(const QString& programPath) {
    copyIntoProgramFolder(programPath);
    runProgram(programDir_.filePath(QFileInfo(programPath).fileName()));
}

void XSession::copyBundledTables() const {
    copyIntoProgramFolder(QStringLiteral(NARDEL_TABLES "/plantnames.db"));
    copyIntoProgramFolder(QStringLiteral(NARDEL_TABLES "/syns.db"));
}

QString XSession::startToMainWindow(const QString& programPath) {
    startProgram(programPath);
    QString window;
    if (dismissInfoWindow())
        waitFor([&] { return !(window = findWindow(QStringLiteral("^Nardel Pro$"))).isEmpty(); });
    return window;
}

void XSession::runProgram(const QString& path, const QStringList& arguments,
                          const QProcessEnvironment& environment) {
    program_.setProcessEnvironment(environment.isEmpty() ? this->environment() : environment);
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    program_.start(path, arguments);
    program_.waitForStarted();
}

void XSession::setDotsPerInch(int dotsPerInch) const {
    run(QStringLiteral("xprop"),
        {QStringLiteral("-root"), QStringLiteral("-f"), QStringLiteral("RESOURCE_MANAGER"),
         QStringLiteral("8s"), QStringLiteral("-set"), QStringLiteral("RESOURCE_MANAGER"),
         QStringLiteral("Xft.dpi:\t%1\n").arg(dotsPerInch)});
}

QString XSession::run(const QString& command, const QStringList& arguments, int* exitCode) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(command, arguments);
    process.waitForFinished(10000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool XSession::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

QString XSession::findWindow(const QString& pattern) const {
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                pattern})
        .section('\n', 0, 0);
}

QString XSession::windowSize(const QString& window) const {
    static const QRegularExpression size(QStringLiteral(R"(Geometry: (\d+x\d+))"));
    return size.match(run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), window}))
        .captured(1);
}

QString XSession::windowPosition(const QString& window) const {
    static const QRegularExpression position(QStringLiteral(R"(Position: (\d+,\d+))"));
    return position
        .match(run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), window}))
        .captured(1);
}

void XSession::pressKey(const QString& window, const QString& key) const {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

void XSession::focusDesktop() const {
    static const QRegularExpression rootId(QStringLiteral(R"(Window id: (0x[0-9a-f]+))"));
    const QString root =
        rootId.match(run(QStringLiteral("xwininfo"), {QStringLiteral("-root")})).captured(1);
    run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), root});
}

void XSession::click(const QString& window, QPoint point) const {
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                                    QString::number(point.x()), QString::number(point.y()),
                                    QStringLiteral("click"), QStringLiteral("1")});
}

void XSession::closeWindow(const QString& window) const {
    run(QStringLiteral(NARDEL_CLOSE_WINDOW), {window});
}

bool XSession::dismissWithEnter(const QString& title) const {
    QString window;
    if (!waitFor([&] { return !(window = findWindow(title)).isEmpty(); }))
        return false;
    // Another of the program's windows may take the focus first; the user then presses
    // Enter once more.
    return waitFor([&] {
        if ((window = findWindow(title)).isEmpty())
            return true;
        pressKey(window, QStringLiteral("Return"));
        return false;
    });
}

bool XSession::dismissInfoWindow() const {
    return dismissWithEnter(QStringLiteral("^Program info$"));
}
