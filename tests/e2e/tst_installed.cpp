#include "e2e/XSession.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace {
const QString share = QStringLiteral(NARDEL_PACKAGE_PREFIX "/share/");
const QString desktopEntry = share + "applications/" NARDEL_APP_ID ".desktop";
} // namespace

// The program as its package installs it: run with no table beside it and none of the
// user's own, as a new user on a fresh machine does.
class TestInstalled : public QObject {
    Q_OBJECT

private slots:
    void desktopFindsEntryRecordAndIcon_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("entry") << desktopEntry;
        QTest::newRow("record") << share + "metainfo/" NARDEL_APP_ID ".metainfo.xml";
        QTest::newRow("icon") << share + "icons/hicolor/scalable/apps/" NARDEL_APP_ID ".svg";
        QTest::newRow("small icon") << share + "icons/hicolor/16x16/apps/" NARDEL_APP_ID ".png";
        QTest::newRow("names") << share + "nardel/plantnames.db";
        QTest::newRow("synonyms") << share + "nardel/syns.db";
    }
    void desktopFindsEntryRecordAndIcon() {
        QFETCH(QString, file);
        QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
    }

    // The window opens the bundled list from share/nardel, and carries the class that the
    // desktop entry names and an icon, so the dock shows it under the entry.
    void startsWithTheBundledList() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.settings().writeKey(
            {R"("Level"=dword:00000000)", R"("AutoClipbrd"=dword:00000001)"});
        session.runProgram(NARDEL_PACKAGE_PREFIX "/bin/nardel");
        QVERIFY2(session.dismissInfoWindow(), "the info window did not come and go");
        QString window;
        QVERIFY(XSession::waitFor(
            [&] { return !(window = session.findWindow("^Nardel Pro$")).isEmpty(); }));
        QVERIFY2(session.findWindow("^Error$").isEmpty(), "the bundled tables were not found");

        // A genus picked is copied: the list was read from the tables.
        session.run("xdotool", {"windowfocus", "--sync", window});
        session.run("xdotool", {"type", "--delay", "20", "Abies"});
        session.run("xdotool", {"key", "Tab"});
        QVERIFY(XSession::waitFor([&] {
            return session.run("xclip", {"-o", "-selection", "clipboard"}) == "Abies";
        }));

        const QString classes = session.run("xprop", {"-id", window, "WM_CLASS"});
        QFile entry(desktopEntry);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString entryClass =
            QRegularExpression("^StartupWMClass=(.*)$", QRegularExpression::MultilineOption)
                .match(QString::fromUtf8(entry.readAll()))
                .captured(1);
        QVERIFY2(!entryClass.isEmpty() && classes.endsWith(", \"" + entryClass + "\""),
                 qPrintable(classes));
        QVERIFY2(session.run("xprop", {"-id", window, "_NET_WM_ICON"})
                     .contains(QRegularExpression("Icon \\(\\d+ x \\d+\\)")),
                 "the window has no icon");
    }
};

QTEST_GUILESS_MAIN(TestInstalled)
#include "tst_installed.moc"
