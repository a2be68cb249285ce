#include "e2e/XSession.h"

#include <QTest>

namespace {

// The program with automatic copying and authors on, at the level `level`, its window found;
// `smart` reads a copied name as a botanist writes it.
bool startCopyingProgram(XSession& session, int level, QString& window, bool smart = false) {
    session.copyBundledTables();
    session.settings().writeKey({QString(R"("Level"=dword:0000000%1)").arg(level),
                                 R"("AddAuthor"=dword:00000001)", R"("AutoClipbrd"=dword:00000001)",
                                 QString(R"("SmartLookup"=dword:0000000%1)").arg(int(smart))});
    window = session.startToMainWindow(NARDEL_PROGRAM);
    return !window.isEmpty();
}

QString clipboardText(const XSession& session) {
    return session.run("xclip", {"-o", "-selection", "clipboard"});
}

// Copies a line of text in a second program, xclip, which then holds the clipboard.
void copyInOtherProgram(const XSession& session, const QString& text) {
    session.run("bash", {"-c", "printf '%s\\n' \"$0\" | xclip -selection clipboard", text});
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
            copyInOtherProgram(session, copy[0]);
            QVERIFY2(XSession::waitFor([&] { return clipboardText(session) == copy[1]; }, 600),
                     qPrintable(clipboardText(session)));
        }
    }

    // The window becoming active again gives the list the user left its focus back: that is
    // no work in the window, and the watch stays on.
    void nameCopiedWhileTheWindowIsActiveAgainIsSelected() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        QString window;
        QVERIFY(startCopyingProgram(session, 1, window));
        session.pressKey(window, "ctrl+s");
        session.focusDesktop();
        // The name found tells that the program has seen the window lose the focus.
        copyInOtherProgram(session, "Pice abi");
        QVERIFY2(XSession::waitFor(
                     [&] { return clipboardText(session) == "Picea abies (L.) H.Karst."; }),
                 qPrintable(clipboardText(session)));
        session.run("xdotool", {"windowfocus", "--sync", window});
        copyInOtherProgram(session, "Sal alb");
        QVERIFY2(XSession::waitFor([&] { return clipboardText(session) == "Salix alba L."; }),
                 qPrintable(clipboardText(session)));
    }

    // A clipboard manager takes over each copy as text alone; the program's own name, found
    // again, would lose its subspecies.
    void copyTakenOverByAClipboardManagerIsLeftAlone() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        QString window;
        QVERIFY(startCopyingProgram(session, 2, window));
        session.focusDesktop();
        copyInOtherProgram(session, "Allium ursinum");
        QVERIFY2(XSession::waitFor([&] { return clipboardText(session) == "Allium ursinum L."; }),
                 qPrintable(clipboardText(session)));
        session.pressKey(window, "ctrl+u");
        session.pressKey(window, "s");
        const QString fullName = "Allium ursinum L. subsp. ucrainicum Kleopow & Oxner";
        QVERIFY2(XSession::waitFor([&] { return clipboardText(session) == fullName; }),
                 qPrintable(clipboardText(session)));
        session.focusDesktop();
        session.run("bash", {"-c", "xclip -o -selection clipboard | xclip -selection clipboard"});
        QVERIFY(XSession::waitFor([&] {
            return !session.run("xclip", {"-o", "-selection", "clipboard", "-t", "TARGETS"})
                        .contains("x-nardel-owner");
        }));
        // Five ticks of the watch go by with the name as it was copied.
        QVERIFY2(!XSession::waitFor([&] { return clipboardText(session) != fullName; }, 1000),
                 qPrintable(clipboardText(session)));
    }

    // With the smart lookup chosen, a name is read whole: an abbreviated genus, its rank and
    // authors, a synonym for its accepted name.
    void smartLookupSelectsTheNameWhole() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        QString window;
        QVERIFY(startCopyingProgram(session, 2, window, true));
        session.focusDesktop();
        const QStringList copies[] = {{"A. ursinum L. ssp. ucrainicum Kleopow & Oxner",
                                       "Allium ursinum L. subsp. ucrainicum Kleopow & Oxner"},
                                      {"Abies pectinata (Lam.) DC.", "Abies alba Mill."}};
        for (const QStringList& copy : copies) {
            copyInOtherProgram(session, copy[0]);
            QVERIFY2(XSession::waitFor([&] { return clipboardText(session) == copy[1]; }),
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
