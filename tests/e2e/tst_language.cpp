#include "e2e/AccessibilityBus.h"
#include "e2e/XSession.h"

#include <QTest>
#include <algorithm>

// The program speaks the desktop's language, as a screen reader hears it: English under an
// English locale, the Czech it is written in under the C locale. Its info window, its main
// window, and the message box that its options menu leads to.
class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void windowsSpeakTheLocalesLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("infoWindow");
        QTest::addColumn<QStringList>("mainWindow");
        QTest::addColumn<QString>("warningTitle");
        QTest::addColumn<QString>("editWarning");
        QTest::newRow("English") << "en_US.UTF-8"
                                 << "Version details" << QStringList{"Copy", "Options"} << "Warning"
                                 << "Careless editing may damage the data.";
        QTest::newRow("C") << "C.UTF-8"
                           << "Údaje o verzi" << QStringList{"Kopírovat", "Volby"} << "Upozornění"
                           << "Nevhodnou editací mohou být data poškozena.";
    }

    void windowsSpeakTheLocalesLanguage() {
        QFETCH(QString, locale);
        QFETCH(QString, infoWindow);
        QFETCH(QStringList, mainWindow);
        QFETCH(QString, warningTitle);
        QFETCH(QString, editWarning);
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        const AccessibilityBus bus(session.environment());
        QVERIFY2(bus.isRunning(), "the session bus did not start");
        QProcessEnvironment environment = bus.withBus(session.environment());
        environment.insert("LANG", locale);
        // Asked for English, which a C locale overrides, as with gettext.
        environment.insert("LANGUAGE", "en");
        session.runProgram(NARDEL_PROGRAM, {}, environment);
        const auto hears = [&bus](const QString& text) {
            return XSession::waitFor([&] {
                const QStringList names = bus.names();
                return std::any_of(names.begin(), names.end(),
                                   [&](const QString& name) { return name.contains(text); });
            });
        };

        QVERIFY2(hears(infoWindow), "no info window in the locale's language");
        QVERIFY(session.dismissInfoWindow());
        for (const QString& text : mainWindow)
            QVERIFY2(hears(text), qPrintable(text + " is not in the main window"));
        // The menu, a popup, is no window in the tree: its "Edit data" item, reached by the
        // same letter in either language, shows a warning box, which is.
        QString window;
        QVERIFY(XSession::waitFor(
            [&] { return !(window = session.findWindow("^Nardel Pro$")).isEmpty(); }));
        QVERIFY(XSession::waitFor([&] {
            session.click(window, {64, 68});
            session.run("xdotool", {"key", "e"});
            return !session.findWindow('^' + warningTitle + '$').isEmpty();
        }));
        QVERIFY2(hears(editWarning), "no warning of the options menu in the locale's language");
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
