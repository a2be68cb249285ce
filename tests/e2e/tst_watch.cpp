#include "e2e/XSession.h"

#include <QTest>

namespace {

// The program with automatic copying and authors on, at the level `level`, its window found.
bool startCopyingProgram(XSession& session, int level, QString& window) {
    session.copyBundledTables();
    session.settings().writeKey({QString(R"("Level"=dword:0000000%1)").arg(level),
                                 R"("AddAuthor"=dword:00000001)",
                                 R"("AutoClipbrd"=dword:00000001)"});
    window = session.startToMainWindow(NARDEL_PROGRAM);
    return !window.isEmpty();
}

QString clipboardText(const XSession& session) {
    return session.run("xclip", {"-o", "-selection", "clipboard"});
}

} // namespace

// The loop a user lives in: a name copied in the manuscript is selected in the program, which
// copies it back with its authors; and the window worked from the keyboard alone.
class TestWatch : public QObject {
    Q_OBJECT

private slots:
    void nameCopiedInAnotherProgramIsSelected() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        QString window;
        QVERIFY(startCopyingProgram(session, 1, window));
        session.focusDesktop();
        // The watch looks every fifth of a second, so each name is selected, and copied back,
        // within about half a second of its copy (the margin is for a loaded machine's
        // process starts); the second copy, made just after the first was seen, leaves no
        // time for a slower watch to come round by chance.
        const QStringList copies[] = {{"Pice abi", "Picea abies (L.) H.Karst."},
                                      {"Sal alb", "Salix alba L."}};
        for (const QStringList& copy : copies) {
            session.run("bash",
                        {"-c", "printf '%s\\n' \"$0\" | xclip -selection clipboard", copy[0]});
            QVERIFY2(XSession::waitFor([&] { return clipboardText(session) == copy[1]; }, 600),
                     qPrintable(clipboardText(session)));
        }
    }

    void keysSetTheLevelAndPickFromTheList() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        QString window;
        QVERIFY(startCopyingProgram(session, 1, window));
        session.pressKey(window, "alt+u");
        session.pressKey(window, "ctrl+s");
        session.pressKey(window, "ctrl+g");
        session.pressKey(window, "s");
        QVERIFY2(XSession::waitFor([&] { return clipboardText(session) == "Salix"; }),
                 qPrintable(clipboardText(session)));
        session.pressKey(window, "ctrl+s");
        session.pressKey(window, "a");
        QVERIFY2(XSession::waitFor([&] { return clipboardText(session) == "Salix alba L."; }),
                 qPrintable(clipboardText(session)));
    }
};

QTEST_GUILESS_MAIN(TestWatch)
#include "tst_watch.moc"
