#include "shell/FInfo.h"
#include "support/TestSettings.h"

#include <QDir>
#include <QTest>
#include <QWidget>

namespace {

// The store as the program opens it at its first activation.
std::unique_ptr<TFormInfo> openStore() {
    auto info = std::make_unique<TFormInfo>();
    info->FillInfo(QString(), QString(), "Professional", QString());
    info->OpenSettingsKey("Nardel");
    return info;
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSettings> settings;

private slots:
    void init() { settings = std::make_unique<TestSettings>(); }

    void keyLiesUnderTheVersionOfTheProgram() {
        auto info = openStore();
        QVERIFY(info->WriteSettingInt("Level", 2));
        QVERIFY(QFileInfo::exists(settings->root() + "/Tarnwick/Nardel/1.0.0.0.reg"));
        QVERIFY(settings->keyBytes().contains("\"Level\"=dword:00000002"));
    }

    void reads_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("textRead");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("integerRead");
        QTest::addColumn<int>("integer");
        QTest::addColumn<bool>("flag");

        QTest::newRow("missing") << "" << true << "" << false << -1 << false;
        QTest::newRow("text") << R"("V"="Arial Narrow")" << true << "Arial Narrow" << false << -1
                              << false;
        QTest::newRow("expandable text not expanded")
            << R"("V"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,00,00)" << true << "%HOME%"
            << false << -1 << false;
        QTest::newRow("integer") << R"("V"=dword:00000007)" << false << "" << true << 7 << true;
        QTest::newRow("zero") << R"("V"=dword:00000000)" << false << "" << true << 0 << false;
        QTest::newRow("negative") << R"("V"=dword:fffffffc)" << false << "" << true << -4 << true;
        QTest::newRow("quad word")
            << R"("V"=hex(b):01,00,00,00,00,00,00,00)" << false << "" << false << -1 << false;
        QTest::newRow("garbage") << "V=7" << true << "" << false << -1 << false;
        QTest::newRow("name in other case")
            << R"("v"=dword:00000001)" << false << "" << true << 1 << true;
    }
    void reads() {
        QFETCH(QString, stored);
        QFETCH(bool, textRead);
        QFETCH(QString, text);
        QFETCH(bool, integerRead);
        QFETCH(int, integer);
        QFETCH(bool, flag);
        settings->writeKey({stored, R"("Other"=dword:0000000c)"});
        auto info = openStore();

        QString textValue = "preset";
        QCOMPARE(info->ReadSettingStr("V", textValue), textRead);
        QCOMPARE(textValue, text);
        qint32 integerValue = 99;
        QCOMPARE(info->ReadSettingInt("V", integerValue), integerRead);
        QCOMPARE(integerValue, integer);
        bool flagValue = true;
        QCOMPARE(info->ReadSettingBool("V", flagValue), integerRead);
        QCOMPARE(flagValue, flag);
        // A bad value costs nothing else in the key.
        QCOMPARE(info->ReadSettingInt("Other", integerValue), true);
        QCOMPARE(integerValue, 12);
    }

    void withoutStoreEverythingFails() {
        TFormInfo info;
        QString text = "preset";
        qint32 integer = 5;
        QWidget window;
        QVERIFY(!info.ReadSettingStr("FontName", text));
        QCOMPARE(text, QString());
        QVERIFY(!info.ReadSettingInt("Level", integer));
        QCOMPARE(integer, -1);
        QVERIFY(!info.WriteSettingInt("Level", 1));
        QVERIFY(!info.SaveWindowPlace("Form", &window));
        QVERIFY(!info.RestoreWindowPlace("Form", &window));
        QVERIFY(!QFileInfo::exists(settings->keyFile()));
    }

    void flagsAreWrittenAsOneAndZero() {
        settings->writeKey({R"("AddAuthor"=dword:00000007)"});
        auto info = openStore();
        bool flag;
        QVERIFY(info->ReadSettingBool("AddAuthor", flag));
        QVERIFY(info->WriteSettingBool("AddAuthor", flag));
        QVERIFY(info->WriteSettingBool("Formated", false));
        QVERIFY(info->WriteSettingStr("FontName", "Times \"New\" Roman\\"));
        auto reader = openStore();
        qint32 value;
        QVERIFY(reader->ReadSettingInt("AddAuthor", value));
        QCOMPARE(value, 1);
        QVERIFY(reader->ReadSettingInt("Formated", value));
        QCOMPARE(value, 0);
        QString name;
        QVERIFY(reader->ReadSettingStr("FontName", name));
        QCOMPARE(name, QString("Times \"New\" Roman\\"));
    }

    void restoreWindowPlace_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("maximized");
        const QRect designed(194, 113, 464, 101);
        QTest::newRow("nothing stored") << QStringList() << false << designed << false;
        QTest::newRow("negative top maximizes")
            << QStringList{"Top=-4", "Left=300", "Height=200", "Width=600"} << true << designed
            << true;
        QTest::newRow("top and left zero")
            << QStringList{"Top=0", "Left=0", "Height=200", "Width=600"} << false
            << QRect(194, 0, 464, 101) << false;
        QTest::newRow("left missing")
            << QStringList{"Top=50"} << false << QRect(194, 50, 464, 101) << false;
        QTest::newRow("width missing") << QStringList{"Top=50", "Left=60", "Height=200"} << false
                                       << QRect(60, 50, 464, 173) << false;
        QTest::newRow("height zero") << QStringList{"Top=50", "Left=60", "Height=0", "Width=600"}
                                     << false << QRect(60, 50, 464, 101) << false;
        QTest::newRow("everything") << QStringList{"Top=50", "Left=60", "Height=200", "Width=600"}
                                    << true << QRect(60, 50, 592, 173) << false;
    }
    void restoreWindowPlace() {
        QFETCH(QStringList, stored);
        QFETCH(bool, result);
        QFETCH(QRect, place);
        QFETCH(bool, maximized);
        QStringList lines;
        for (const QString& value : stored) {
            const QStringList nameAndNumber = value.split('=');
            lines.append(QString("\"Form%1\"=dword:%2")
                             .arg(nameAndNumber[0])
                             .arg(quint32(nameAndNumber[1].toInt()), 8, 16, QChar('0')));
        }
        settings->writeKey(lines);
        auto info = openStore();
        QWidget window;
        window.setFixedSize(464, 101);
        window.move(194, 113);
        QCOMPARE(info->RestoreWindowPlace("Form", &window), result);
        QCOMPARE(window.isMaximized(), maximized);
        if (!maximized)
            QCOMPARE(QRect(window.pos(), window.size()), place);
    }

    void placeRoundTrips() {
        auto info = openStore();
        QWidget window;
        window.setFixedSize(464, 101);
        window.move(222, 111);
        QVERIFY(info->SaveWindowPlace("Form", &window));
        QWidget restored;
        QVERIFY(openStore()->RestoreWindowPlace("Form", &restored));
        QCOMPARE(restored.pos(), QPoint(222, 111));
        QCOMPARE(restored.size(), QSize(464, 101));
    }

    // A maximized window leaves a negative top, which brings it back maximized.
    void maximizedWindowComesBackMaximized() {
        QWidget window;
        window.show();
        window.setWindowState(Qt::WindowMaximized);
        QVERIFY(openStore()->SaveWindowPlace("Form", &window));
        QWidget restored;
        QVERIFY(openStore()->RestoreWindowPlace("Form", &restored));
        QVERIFY(restored.windowState() & Qt::WindowMaximized);
    }

    // A key that can be neither opened nor created reads as empty and refuses every write.
    void unopenableKeyRefusesWrites() {
        QVERIFY(QDir().mkpath(settings->keyFile()));
        auto info = openStore();
        QString text = "preset";
        QVERIFY(info->ReadSettingStr("FontName", text));
        QCOMPARE(text, QString());
        qint32 value;
        QVERIFY(!info->ReadSettingInt("Level", value));
        QVERIFY_THROWS_EXCEPTION(std::exception, info->WriteSettingInt("Level", 1));
        QWidget window;
        QVERIFY_THROWS_EXCEPTION(std::exception, info->SaveWindowPlace("Form", &window));
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
