#include "shell/SettingNames.h"
#include "shell/SettingsStore.h"
#include "support/TestSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

using namespace std::chrono_literals;

namespace {

// The store as the program opens it, but quick to give up on a lock.
SettingsStore openStore() {
    SettingsStore store({.wait = 100ms, .staleAfter = 100ms});
    store.open("Nardel", "1.0.0.0");
    return store;
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSettings> m_settings;

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    void keyLiesUnderProductAndVersion() {
        SettingsStore store = openStore();
        QVERIFY(store.writeInt(SettingNames::level, 2));
        QVERIFY(QFileInfo::exists(m_settings->root() + "/Tarnwick/Nardel/1.0.0.0.reg"));
        QVERIFY(m_settings->keyBytes().contains("\"Level\"=dword:00000002"));
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
        m_settings->writeKey({stored, R"("Other"=dword:0000000c)"});
        const SettingsStore store = openStore();

        QString textValue = "preset";
        QCOMPARE(store.readString("V", textValue), textRead);
        QCOMPARE(textValue, text);
        qint32 integerValue = 99;
        QCOMPARE(store.readInt("V", integerValue), integerRead);
        QCOMPARE(integerValue, integer);
        bool flagValue = true;
        QCOMPARE(store.readBool("V", flagValue), integerRead);
        QCOMPARE(flagValue, flag);
        // A bad value costs nothing else in the key.
        QCOMPARE(store.readInt("Other", integerValue), true);
        QCOMPARE(integerValue, 12);
    }

    // Before the key is opened and after it is closed.
    void withoutKeyEverythingFails_data() {
        QTest::addColumn<bool>("openedAndClosed");
        QTest::newRow("never opened") << false;
        QTest::newRow("closed") << true;
    }
    void withoutKeyEverythingFails() {
        QFETCH(bool, openedAndClosed);
        m_settings->writeKey({R"("Level"=dword:00000002)", R"("FontName"="Arial")"});
        SettingsStore store;
        if (openedAndClosed) {
            store = openStore();
            store.close();
        }
        QString text = "preset";
        qint32 integer = 5;
        QWidget window;
        QVERIFY(!store.readString(SettingNames::fontName, text));
        QCOMPARE(text, QString());
        QVERIFY(!store.readInt(SettingNames::level, integer));
        QCOMPARE(integer, -1);
        const QByteArray before = m_settings->keyBytes();
        QVERIFY(!store.writeInt(SettingNames::level, 1));
        QVERIFY(!store.saveWindowPlace(SettingNames::mainWindowPrefix, &window));
        QVERIFY(!store.restoreWindowPlace(SettingNames::mainWindowPrefix, &window));
        QCOMPARE(m_settings->keyBytes(), before);
    }

    void flagsAreWrittenAsOneAndZero() {
        m_settings->writeKey({R"("AddAuthor"=dword:00000007)"});
        SettingsStore store = openStore();
        bool flag;
        QVERIFY(store.readBool(SettingNames::addAuthor, flag));
        QVERIFY(store.writeBool(SettingNames::addAuthor, flag));
        QVERIFY(store.writeBool(SettingNames::formatted, false));
        QVERIFY(store.writeString(SettingNames::fontName, "Times \"New\" Roman\\"));
        const SettingsStore reader = openStore();
        qint32 value;
        QVERIFY(reader.readInt(SettingNames::addAuthor, value));
        QCOMPARE(value, 1);
        QVERIFY(reader.readInt(SettingNames::formatted, value));
        QCOMPARE(value, 0);
        QString name;
        QVERIFY(reader.readString(SettingNames::fontName, name));
        QCOMPARE(name, QString("Times \"New\" Roman\\"));
    }

    // `stored` holds the first of top, left, height and width, in this order.
    void restoreWindowPlace_data() {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("maximized");
        const QRect designed(194, 113, 464, 101);
        QTest::newRow("nothing stored") << QList<int>() << false << designed << false;
        QTest::newRow("negative top maximizes")
            << QList<int>{-4, 300, 200, 600} << true << designed << true;
        QTest::newRow("top and left zero")
            << QList<int>{0, 0, 200, 600} << false << QRect(194, 0, 464, 101) << false;
        QTest::newRow("left missing")
            << QList<int>{50} << false << QRect(194, 50, 464, 101) << false;
        QTest::newRow("width missing")
            << QList<int>{50, 60, 200} << false << QRect(60, 50, 464, 173) << false;
        QTest::newRow("height zero")
            << QList<int>{50, 60, 0, 600} << false << QRect(60, 50, 464, 101) << false;
        QTest::newRow("everything")
            << QList<int>{50, 60, 200, 600} << true << QRect(60, 50, 592, 173) << false;
        // On the screens of two-screens.json: 800 x 600 at 0,0 and 1024 x 768 at 800,100.
        QTest::newRow("smaller than the frame")
            << QList<int>{50, 60, 1, 21} << true << QRect(60, 50, 464, 101) << false;
        QTest::newRow("off every screen")
            << QList<int>{10000, 10000, 200, 600} << true << QRect(1224, 668, 592, 173) << false;
        QTest::newRow("below the nearer screen")
            << QList<int>{650, 10, 200, 600} << true << QRect(10, 400, 592, 173) << false;
        QTest::newRow("largest numbers")
            << QList<int>(4, 0x7fffffff) << true << QRect(800, 100, 1016, 741) << false;
    }
    void restoreWindowPlace() {
        QFETCH(QList<int>, stored);
        QFETCH(bool, result);
        QFETCH(QRect, place);
        QFETCH(bool, maximized);
        m_settings->writeKey(TestSettings::windowPlaceLines(stored));
        const SettingsStore store = openStore();
        QWidget window;
        window.setFixedSize(464, 101);
        window.move(194, 113);
        QCOMPARE(store.restoreWindowPlace(SettingNames::mainWindowPrefix, &window), result);
        QCOMPARE(window.isMaximized(), maximized);
        if (!maximized)
            QCOMPARE(QRect(window.pos(), window.size()), place);
    }

    void placeRoundTrips() {
        QWidget window;
        window.setFixedSize(464, 101);
        window.move(222, 111);
        QVERIFY(openStore().saveWindowPlace(SettingNames::mainWindowPrefix, &window));
        QWidget restored;
        QVERIFY(openStore().restoreWindowPlace(SettingNames::mainWindowPrefix, &restored));
        QCOMPARE(restored.pos(), QPoint(222, 111));
        QCOMPARE(restored.size(), QSize(464, 101));
    }

    // Only a window maximized on screen leaves a negative top, which brings it back maximized;
    // one that only asked to be, as a window of fixed size does after a negative top, leaves
    // its place.
    void maximizedOnlyWhenOnScreen_data() {
        QTest::addColumn<bool>("fixedSize");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("onScreen");
        QTest::newRow("maximized on screen") << false << true << true;
        QTest::newRow("fixed size") << true << false << false;
        QTest::newRow("not shown yet") << false << false << false;
    }
    void maximizedOnlyWhenOnScreen() {
        QFETCH(bool, fixedSize);
        QFETCH(bool, shown);
        QFETCH(bool, onScreen);
        QWidget window;
        if (fixedSize)
            window.setFixedSize(464, 101);
        window.move(222, 111);
        if (shown)
            window.show();
        window.setWindowState(Qt::WindowMaximized);
        // The window system applies the state.
        QCoreApplication::processEvents();
        QVERIFY(openStore().saveWindowPlace(SettingNames::mainWindowPrefix, &window));
        qint32 top;
        QVERIFY(openStore().readInt(SettingNames::mainWindowPrefix + SettingNames::topSuffix, top));
        QVERIFY2(onScreen ? top < 0 : top == window.y() && top >= 0,
                 qPrintable(QString::number(top)));
        QWidget restored;
        QVERIFY(openStore().restoreWindowPlace(SettingNames::mainWindowPrefix, &restored));
        QCOMPARE(restored.isMaximized(), onScreen);
    }

    // A key that can be neither opened nor created reads as empty and refuses every write.
    void unopenableKeyRefusesWrites() {
        QVERIFY(QDir().mkpath(m_settings->keyFile()));
        SettingsStore store = openStore();
        QString text = "preset";
        QVERIFY(store.readString(SettingNames::fontName, text));
        QCOMPARE(text, QString());
        qint32 value;
        QVERIFY(!store.readInt(SettingNames::level, value));
        QVERIFY_THROWS_EXCEPTION(SettingsWriteError, store.writeInt(SettingNames::level, 1));
        QWidget window;
        QVERIFY_THROWS_EXCEPTION(SettingsWriteError,
                                 store.saveWindowPlace(SettingNames::mainWindowPrefix, &window));
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
