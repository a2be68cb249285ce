#include "shell/FInfo.h"
#include "shell/SettingNames.h"
#include "support/TestSettings.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace {

using Entries = QList<QPair<QString, QString>>;

// The program's record less the keys named.
VersionRecord programRecordWithout(const QStringList& keys) {
    const VersionRecord program = VersionRecord::program();
    Entries entries;
    for (const char* key :
         {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
          "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"})
        if (!keys.contains(key))
            entries.append({key, program.value(key).value()});
    return VersionRecord(entries);
}

// The window's control of that name; without one the test run ends.
template <typename Control>
Control* controlOf(const TFormInfo& info, const char* name) {
    auto* control = info.findChild<Control*>(name);
    if (!control)
        qFatal("the info window has no %s", name);
    return control;
}

QString textOf(const TFormInfo& info, const char* label) {
    return controlOf<QLabel>(info, label)->text();
}

QPlainTextEdit* memoOf(const TFormInfo& info) {
    return controlOf<QPlainTextEdit>(info, "Memo1");
}

QPushButton* moreButtonOf(const TFormInfo& info) {
    return controlOf<QPushButton>(info, "BtnMore");
}

} // namespace

class TestInfoWindow : public QObject {
    Q_OBJECT

    // The store of windows that keep no settings.
    SettingsStore unopened;

private slots:
    void versionKeyKeepsMajorAndMinor_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("key");
        QTest::newRow("shipped") << "1.0.1.4"
                                 << "1.0.0.0";
        QTest::newRow("later build") << "1.0.7.2"
                                     << "1.0.0.0";
        QTest::newRow("next minor") << "1.1.0.0"
                                    << "1.1.0.0";
        QTest::newRow("three numbers") << "2.13.7"
                                       << "2.13.0.0";
        QTest::newRow("edition word") << "Professional"
                                      << "Professional";
        QTest::newRow("single number") << "7"
                                       << "7";
        QTest::newRow("leading dot") << ".5.1"
                                     << ".5.1";
        QTest::newRow("major and minor only") << "1.2"
                                              << "1.2.0.0";
        QTest::newRow("empty minor") << "1..2"
                                     << "1..2";
        QTest::newRow("trailing dot") << "1."
                                      << "1.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void versionKeyKeepsMajorAndMinor() {
        QFETCH(QString, version);
        QFETCH(QString, key);
        QCOMPARE(TFormInfo::VersionKeyOf(version), key);
    }

    void fillInfo_data() {
        QTest::addColumn<QStringList>("missingKeys");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("copyright");
        QTest::addColumn<int>("memoLines");
        QTest::newRow("program's record") << QStringList() << "Program Nardel"
                                          << "Version 1.0.1.4 Professional"
                                          << "Copyright © 1997–2002 Tarnwick s.r.o." << 8;
        QTest::newRow("no file version") << QStringList{"FileVersion"} << "Program Nardel"
                                         << "Version Professional"
                                         << "Copyright © 1997–2002 Tarnwick s.r.o." << 7;
        QTest::newRow("no name, no copyright")
            << QStringList{"InternalName", "LegalCopyright"} << "Program Nardel Pro"
            << "Version 1.0.1.4 Professional"
            << "Copyright © Tarnwick s.r.o. (2002)" << 6;
    }
    void fillInfo() {
        QFETCH(QStringList, missingKeys);
        QFETCH(QString, title);
        QFETCH(QString, version);
        QFETCH(QString, copyright);
        QFETCH(int, memoLines);
        QCoreApplication::setApplicationName("Nardel Pro");
        TFormInfo info(unopened, programRecordWithout(missingKeys));
        info.FillInfo(QString(), QString(), "Professional", "2002");
        QCOMPARE(textOf(info, "LblTitle"), title);
        QCOMPARE(textOf(info, "LblComment"), VersionRecord::program().value("FileDescription"));
        QCOMPARE(textOf(info, "LblVersion"), version);
        QCOMPARE(textOf(info, "LblCopyright"), copyright);
        const QStringList lines = memoOf(info)->toPlainText().split('\n');
        QCOMPARE(lines.size(), memoLines);
        QVERIFY(lines.contains("ProductVersion=1.0"));
        QVERIFY(!moreButtonOf(info)->isHidden());
        QVERIFY(memoOf(info)->isHidden());
    }

    void recordWithoutEntriesFallsBackToTheArguments() {
        QCoreApplication::setApplicationName("Nardel Pro");
        TFormInfo info{unopened, VersionRecord()};
        info.FillInfo(QString(), "Jména rostlin", "Professional", "2002");
        QCOMPARE(textOf(info, "LblTitle"), QString("Program Nardel Pro"));
        QCOMPARE(textOf(info, "LblComment"), QString("Jména rostlin"));
        QCOMPARE(textOf(info, "LblVersion"), QString("Version Professional"));
        QCOMPARE(textOf(info, "LblCopyright"), QString("Copyright © Tarnwick s.r.o. (2002)"));
        QVERIFY(memoOf(info)->toPlainText().isEmpty());
        QVERIFY(moreButtonOf(info)->isHidden());

        TFormInfo titled{unopened, VersionRecord()};
        titled.FillInfo("Nardel", QString(), QString(), QString());
        QCOMPARE(textOf(titled, "LblTitle"), QString("Nardel"));
        QCOMPARE(textOf(titled, "LblVersion"), QString("Version "));
    }

    void emptyValuesStayOutOfThePanel() {
        TFormInfo info{unopened, VersionRecord({{"CompanyName", ""},
                                                {"FileVersion", "2.1.0.3"},
                                                {"LEGALTRADEMARKS", "Nardel®"}})};
        info.FillInfo(QString(), QString(), QString(), QString());
        QCOMPARE(memoOf(info)->toPlainText(),
                 QString("FileVersion=2.1.0.3\nLegalTradeMarks=Nardel®"));
        QCOMPARE(textOf(info, "LblVersion"), QString("Version 2.1.0.3"));
    }

    void moreInfoOpensAndClosesThePanel() {
        TFormInfo info(unopened);
        info.FillInfo(QString(), QString(), "Professional", QString());
        info.show();
        moreButtonOf(info)->click();
        QVERIFY(memoOf(info)->isVisible());
        QCOMPARE(moreButtonOf(info)->text(), QString("<< Info"));
        // The client area as designed, whatever frame the platform draws.
        QCOMPARE(info.height(), 365);
        moreButtonOf(info)->click();
        QVERIFY(!memoOf(info)->isVisible());
        QCOMPARE(moreButtonOf(info)->text(), QString("More Info >>"));
        QCOMPARE(info.height(), 221);
        QCOMPARE(info.width(), 384);
    }

    // Nothing but "OK" closes the window, and nothing hides it from the window it belongs to.
    void okClosesAndEscapeDoesNot() {
        QWidget mainWindow;
        mainWindow.show();
        TFormInfo info(unopened, VersionRecord::program(), &mainWindow);
        info.FillInfo(QString(), QString(), "Professional", QString());
        QCOMPARE(info.windowType(), Qt::Dialog);
        QVERIFY(info.windowFlags() & Qt::WindowTitleHint);
        QVERIFY(info.windowFlags() & Qt::WindowStaysOnTopHint);
        for (const Qt::WindowType hint :
             {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
              Qt::WindowMaximizeButtonHint})
            QVERIFY(!(info.windowFlags() & hint));
        QVERIFY(controlOf<QPushButton>(info, "BtnOK")->isDefault());
        info.open();
        QCOMPARE(info.windowHandle()->transientParent(), mainWindow.windowHandle());
        QTest::keyClick(&info, Qt::Key_Escape);
        QVERIFY(info.isVisible());
        // A window manager that minimises it all the same gets it back at once.
        info.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!info.isMinimized());
        QVERIFY(info.isVisible());
        moreButtonOf(info)->click();
        QTest::keyClick(&info, Qt::Key_Return);
        QVERIFY(!info.isVisible());
        // Shown again, it keeps its texts and the panel as it was left.
        info.show();
        QCOMPARE(textOf(info, "LblTitle"), QString("Program Nardel"));
        QVERIFY(memoOf(info)->isVisible());
        QCOMPARE(moreButtonOf(info)->text(), QString("<< Info"));
    }

    void screenReaderReadsEveryControl() {
        TFormInfo info(unopened);
        info.FillInfo(QString(), QString(), "Professional", QString());
        for (QWidget* control : info.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(
                !QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty(),
                qPrintable(control->objectName()));
    }

    // The key's last component is the major and minor version of the program's record.
    void settingsKeyFollowsTheProgramVersion() {
        TestSettings settings;
        TFormInfo info(settings.store());
        QVERIFY(info.WriteSettingInt(SettingNames::level, 2));
        QVERIFY(settings.keyBytes().contains("\"Level\"=dword:00000002"));
    }

    void mailLinkCarriesTheTitleUnencoded() {
        TFormInfo info(unopened);
        info.FillInfo(QString(), QString(), "Professional", QString());
        QCOMPARE(info.mailLink(),
                 "mailto:" + textOf(info, "LblAddress") + "?Subject=Program Nardel: User request");
    }
};

QTEST_MAIN(TestInfoWindow)
#include "tst_infowindow.moc"
