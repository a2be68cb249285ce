#include "e2e/XSession.h"
#include "shell/RegistryFile.h"

#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/stat.h>

namespace {

const QString mainWindow = QStringLiteral("^Nardel Pro$");

// Where a window stands on the screen; null when xdotool reports no place, as for a window
// partly off the left or top of the screen.
QRect placeOf(const XSession& session, const QString& window) {
    const QStringList position = session.windowPosition(window).split(',');
    const QStringList size = session.windowSize(window).split('x');
    if (position.size() != 2 || size.size() != 2)
        return {};
    return QRect(position[0].toInt(), position[1].toInt(), size[0].toInt(), size[1].toInt());
}

// Starts the program on the tables and passes the info window; the main window's id.
QString startAndShowMainWindow(XSession& session) {
    session.copyBundledTables();
    return session.startToMainWindow(NARDEL_PROGRAM);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void bundledListOpensTheWindow() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.copyBundledTables();
        session.startProgram(NARDEL_PROGRAM);

        QVERIFY2(session.dismissInfoWindow(), "the info window did not come and go");
        QString window;
        QVERIFY2(
            XSession::waitFor([&] { return !(window = session.findWindow(mainWindow)).isEmpty(); }),
            "the main window did not appear");
        QCOMPARE(session.windowSize(window), QString("464x101"));
        QVERIFY(session.findWindow("^Error").isEmpty());
        QCOMPARE(session.program().state(), QProcess::Running);
    }

    void missingTablesAreReportedAndTheProgramGoesOn() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.startProgram(NARDEL_PROGRAM);

        QVERIFY2(session.dismissWithEnter("^Error$"), "no error box came and went");
        QVERIFY2(session.dismissInfoWindow(), "the info window did not come and go");
        QVERIFY2(XSession::waitFor([&] { return !session.findWindow(mainWindow).isEmpty(); }),
                 "the main window did not appear after the error box");
        QCOMPARE(session.program().state(), QProcess::Running);
    }

    // Closing writes the window's place into the key; the next start puts it back there.
    void placeSurvivesARestart() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.copyBundledTables();
        session.startProgram(NARDEL_PROGRAM);
        QVERIFY(session.dismissInfoWindow());
        QString window;
        QVERIFY(XSession::waitFor(
            [&] { return !(window = session.findWindow(mainWindow)).isEmpty(); }));
        session.run("xdotool", {"windowmove", "--sync", window, "300", "200"});
        QVERIFY(XSession::waitFor([&] { return session.windowPosition(window) == "300,200"; }));

        // Without a window manager, a close request that follows a move at once can go
        // unseen; a user would click again, and so does the test.
        QVERIFY2(XSession::waitFor([&] {
                     session.closeWindow(window);
                     return session.program().waitForFinished(500);
                 }),
                 "closing did not end the program");
        const QByteArray values = session.settings().keyBytes();
        QVERIFY2(values.contains("\"FormTop\"=dword:000000c8\n\"FormLeft\"=dword:0000012c\n"),
                 values.constData());
        QVERIFY(values.contains("\"Level\"=dword:00000001\n"));

        session.startProgram(NARDEL_PROGRAM);
        QVERIFY(session.dismissInfoWindow());
        QVERIFY(XSession::waitFor(
            [&] { return !(window = session.findWindow(mainWindow)).isEmpty(); }));
        QVERIFY(XSession::waitFor([&] { return session.windowPosition(window) == "300,200"; }));
        QCOMPARE(session.windowSize(window), QString("464x101"));
    }

    // A folder whose name is no UTF-8 text still holds the program and its tables.
    void programFolderOfAnyName() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.copyBundledTables();
        session.copyIntoProgramFolder(NARDEL_PROGRAM);
        // The shell makes the folder from bytes; the program is started through a link.
        int exitCode = -1;
        session.run(
            "bash",
            {"-c",
             R"sh(d="$0/$(printf 'Flora \377')" && mkdir "$d" && mv "$0"/*.db "$0/nardel" "$d" && ln -s "$d/nardel" "$0/start")sh",
             session.programFolder()},
            &exitCode);
        QCOMPARE(exitCode, 0);
        session.runProgram(session.programFolder() + "/start");
        QVERIFY(session.dismissInfoWindow());
        QVERIFY(XSession::waitFor([&] { return !session.findWindow(mainWindow).isEmpty(); }));
        QVERIFY(session.findWindow("^Error$").isEmpty());
    }

    // A session's end closes the program as its user would: the options are saved.
    void endOfSessionSavesTheOptions_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void endOfSessionSavesTheOptions() {
        QFETCH(int, signal);
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.copyBundledTables();
        session.startProgram(NARDEL_PROGRAM);
        QVERIFY(session.dismissInfoWindow());
        QVERIFY(XSession::waitFor([&] { return !session.findWindow(mainWindow).isEmpty(); }));
        ::kill(pid_t(session.program().processId()), signal);
        QVERIFY(session.program().waitForFinished(10000));
        QCOMPARE(session.program().exitStatus(), QProcess::NormalExit);
        QVERIFY2(session.settings().keyBytes().contains("\"Level\"=dword:00000001\n"),
                 session.settings().keyBytes().constData());
    }

    // Places that no screen can show (the test server's screen is 1024 x 768), and a negative
    // top, which a window of fixed size cannot follow: the window comes up whole on the
    // screen, no smaller than designed, closes, and leaves a place that shows.
    void storedPlaceThatCannotBeShown_data() {
        QTest::addColumn<QList<int>>("place");
        QTest::newRow("smaller than the frame") << QList<int>{50, 60, 1, 21};
        QTest::newRow("off the screen") << QList<int>{10000, 10000, 128, 472};
        QTest::newRow("largest numbers") << QList<int>(4, 0x7fffffff);
        QTest::newRow("negative top") << QList<int>{-1, 60, 128, 472};
    }
    void storedPlaceThatCannotBeShown() {
        QFETCH(QList<int>, place);
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.settings().writeKey(TestSettings::windowPlaceLines(place));
        const QString window = startAndShowMainWindow(session);
        QVERIFY2(!window.isEmpty(), "the main window did not appear");
        const QRect shown = placeOf(session, window);
        QVERIFY2(QRect(0, 0, 1024, 768).contains(shown) && shown.width() >= 464 &&
                     shown.height() >= 101,
                 qPrintable(session.windowPosition(window) + ' ' + session.windowSize(window)));

        QVERIFY2(XSession::waitFor([&] {
                     session.closeWindow(window);
                     return session.program().waitForFinished(500);
                 }),
                 "closing did not end the program");
        const auto top = RegistryFile::parse(session.settings().keyBytes()).value("FormTop");
        QVERIFY(top && top->integer >= 0);
    }

    // A FIFO where the key's lock file belongs holds nothing up: the program starts, reads its
    // settings, and at closing says once that it could not save them.
    void fifoInPlaceOfTheLock() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.settings().writeKey(TestSettings::windowPlaceLines({200, 300, 128, 472}));
        const QByteArray stored = session.settings().keyBytes();
        QCOMPARE(::mkfifo(QFile::encodeName(session.settings().keyFile() + ".lock"), 0600), 0);
        const QString window = startAndShowMainWindow(session);
        QVERIFY2(!window.isEmpty(), "the program hung");
        QVERIFY(XSession::waitFor([&] { return session.windowPosition(window) == "300,200"; }));

        QString box;
        QVERIFY2(XSession::waitFor([&] {
                     session.closeWindow(window);
                     QStringList boxes =
                         session.run("xdotool", {"search", "--onlyvisible", "--name", mainWindow})
                             .split('\n');
                     boxes.removeAll(window);
                     return !(box = boxes.value(0)).isEmpty();
                 }),
                 "closing showed no message");
        QVERIFY(XSession::waitFor([&] {
            session.pressKey(box, "Return");
            return session.program().waitForFinished(500);
        }));
        QCOMPARE(session.settings().keyBytes(), stored);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
