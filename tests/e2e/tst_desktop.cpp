#include "e2e/XSession.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The program with its bundled tables, species copied with authors at every pick, formatted.
QString startPicking(XSession& session) {
    session.copyBundledTables();
    session.settings().writeKey({R"("Level"=dword:00000001)", R"("AddAuthor"=dword:00000001)",
                                 R"("AutoClipbrd"=dword:00000001)",
                                 R"("Formated"=dword:00000001)"});
    return session.startToMainWindow(NARDEL_PROGRAM);
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    // The toolkit's own dialogs speak Czech like the window: the font dialog's title.
    void toolkitDialogsSpeakCzech() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        const QString window = startPicking(session);
        QVERIFY2(!window.isEmpty(), "the main window did not appear");
        // The options button is last in the focus order, one step back from the genus list;
        // its menu's "Základní font" opens the font dialog.
        session.pressKey(window, "shift+Tab");
        session.run("xdotool", {"key", "space"});
        QVERIFY(XSession::waitFor([&] {
            session.run("xdotool", {"key", "z"});
            return !session.findWindow("^Vybrat písmo$").isEmpty() ||
                   !session.findWindow("^Select Font$").isEmpty();
        }));
        QVERIFY2(session.findWindow("^Select Font$").isEmpty(), "the font dialog is in English");
    }

    // A picture of the window with a name picked; make screenshot keeps it for the README.
    void pictureOfAPickedName() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        const QString window = startPicking(session);
        QVERIFY2(!window.isEmpty(), "the main window did not appear");
        session.run("xdotool", {"windowfocus", "--sync", window});
        for (const char* typed : {"Picea", "abies"}) {
            session.run("xdotool", {"type", "--delay", "20", typed});
            session.run("xdotool", {"key", "Tab"});
        }
        QVERIFY(XSession::waitFor([&] {
            return session.run("xclip", {"-o", "-selection", "clipboard"}) ==
                   "Picea abies (L.) H.Karst.";
        }));

        QTemporaryDir dir;
        const QString picture = qEnvironmentVariableIsSet("NARDEL_SCREENSHOT")
                                    ? qEnvironmentVariable("NARDEL_SCREENSHOT")
                                    : dir.filePath("window.png");
        int exitCode = -1;
        session.run(NARDEL_GRAB_WINDOW, {window, picture}, &exitCode);
        QCOMPARE(exitCode, 0);
        const QImage image(picture);
        QCOMPARE(QString("%1x%2").arg(image.width()).arg(image.height()),
                 session.windowSize(window));
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
