#include "XSession.h"

#include <QTest>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void bundledListOpensTheWindow() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.copyIntoProgramFolder(NARDEL_TABLES "/plantnames.db");
        session.copyIntoProgramFolder(NARDEL_TABLES "/syns.db");
        session.startProgram(NARDEL_PROGRAM);

        QString window;
        QVERIFY2(
            XSession::waitFor([&] { return !(window = session.findWindow("^Nardel$")).isEmpty(); }),
            "the main window did not appear");
        QCOMPARE(session.windowSize(window), QString("464x101"));
        QVERIFY(session.findWindow("^Error").isEmpty());
        QCOMPARE(session.program().state(), QProcess::Running);
    }

    void missingTablesAreReportedAndTheProgramGoesOn() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.startProgram(NARDEL_PROGRAM);

        QString error;
        QVERIFY2(
            XSession::waitFor([&] { return !(error = session.findWindow("^Error")).isEmpty(); }),
            "no error box appeared");
        session.run("xdotool", {"windowfocus", "--sync", error});
        session.run("xdotool", {"key", "--window", error, "Return"});
        QVERIFY2(XSession::waitFor([&] { return session.findWindow("^Error").isEmpty(); }),
                 "the error box did not close");
        QVERIFY2(XSession::waitFor([&] { return !session.findWindow("^Nardel$").isEmpty(); }),
                 "the main window did not appear after the error box");
        QCOMPARE(session.program().state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
