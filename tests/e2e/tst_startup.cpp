#include "e2e/XSession.h"

#include <QFile>
#include <QTest>
#include <csignal>

namespace {

const QString mainWindow = QStringLiteral("^Nardel Pro$");

void copyTables(const XSession& session) {
    session.copyIntoProgramFolder(NARDEL_TABLES "/plantnames.db");
    session.copyIntoProgramFolder(NARDEL_TABLES "/syns.db");
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void bundledListOpensTheWindow() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        copyTables(session);
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
        copyTables(session);
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
        copyTables(session);
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
        copyTables(session);
        session.startProgram(NARDEL_PROGRAM);
        QVERIFY(session.dismissInfoWindow());
        QVERIFY(XSession::waitFor([&] { return !session.findWindow(mainWindow).isEmpty(); }));
        ::kill(pid_t(session.program().processId()), signal);
        QVERIFY(session.program().waitForFinished(10000));
        QCOMPARE(session.program().exitStatus(), QProcess::NormalExit);
        QVERIFY2(session.settings().keyBytes().contains("\"Level\"=dword:00000001\n"),
                 session.settings().keyBytes().constData());
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
