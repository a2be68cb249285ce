#include "platform/DisplayPlatform.h"

#include <QTest>

class TestDisplayPlatform : public QObject {
    Q_OBJECT

private slots:
    void waylandSessionsRunThroughXWaylandWhereThereIsOne_data() {
        QTest::addColumn<bool>("userChose");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<QByteArray>("platform");
        QTest::newRow("X11 session") << false << false << true << QByteArray();
        QTest::newRow("Wayland with XWayland") << false << true << true << QByteArray("xcb");
        QTest::newRow("Wayland alone") << false << true << false << QByteArray("wayland");
        QTest::newRow("the user's choice") << true << true << true << QByteArray();
    }
    void waylandSessionsRunThroughXWaylandWhereThereIsOne() {
        QFETCH(bool, userChose);
        QFETCH(bool, wayland);
        QFETCH(bool, x11);
        QFETCH(QByteArray, platform);
        QCOMPARE(preferredPlatform(userChose, wayland, x11), platform);
    }
};

QTEST_APPLESS_MAIN(TestDisplayPlatform)
#include "tst_displayplatform.moc"
