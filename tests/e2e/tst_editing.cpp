#include "e2e/XSession.h"

#include <QTest>

// The editing window as a user reaches it: "Volby", "&Editace dat", the warning, the grid.
class TestEditing : public QObject {
    Q_OBJECT

private slots:
    void editingWindowOpensFromTheMenuAndClosesBackToThePicker() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.copyBundledTables();
        const QString window = session.startToMainWindow(NARDEL_PROGRAM);
        QVERIFY2(!window.isEmpty(), "the main window did not come");

        QVERIFY(XSession::waitFor([&] {
            session.click(window, {64, 68});
            session.run("xdotool", {"key", "e"});
            return !session.findWindow("^Upozornění$").isEmpty();
        }));
        QVERIFY(session.dismissWithEnter("^Upozornění$"));
        QString grid;
        QVERIFY(XSession::waitFor(
            [&] { return !(grid = session.findWindow("^Database Browse$")).isEmpty(); }));
        // Nothing edited: closing the grid leads back to the picker, which goes on.
        QVERIFY(XSession::waitFor([&] {
            session.closeWindow(grid);
            return session.findWindow("^Database Browse$").isEmpty();
        }));
        QVERIFY(session.findWindow("^Informace$").isEmpty());
        QCOMPARE(session.program().state(), QProcess::Running);
        QVERIFY(!session.findWindow("^Nardel Pro$").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestEditing)
#include "tst_editing.moc"
