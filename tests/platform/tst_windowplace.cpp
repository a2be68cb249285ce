#include "platform/WindowPlace.h"

#include <QTest>

// A window's place, whether designed or stored by an earlier run, is moved onto the screen
// that it lands on, so that the window shows whole.
class TestWindowPlace : public QObject {
    Q_OBJECT

private slots:
    void keptOnScreen_data() {
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QSize>("smallest");
        QTest::addColumn<QList<QRect>>("areas");
        QTest::addColumn<QRect>("kept");
        const QSize mainWindow(472, 128);
        const QRect designed(QPoint(194, 113), mainWindow);
        // 1280 x 1024 at a scale factor of 2 leaves 640 x 512, less a panel of 24 at the top.
        const QList<QRect> scaledUp{QRect(0, 24, 640, 488)};
        QTest::newRow("fits where it is")
            << designed << mainWindow << QList<QRect>{QRect(0, 0, 1280, 1024)} << designed;
        QTest::newRow("designed place on a screen scaled up")
            << designed << mainWindow << scaledUp << QRect(QPoint(168, 113), mainWindow);
        QTest::newRow("under a panel") << QRect(QPoint(30, 0), mainWindow) << mainWindow << scaledUp
                                       << QRect(QPoint(30, 24), mainWindow);
        QTest::newRow("past the bottom right corner")
            << QRect(QPoint(600, 500), mainWindow) << mainWindow << scaledUp
            << QRect(QPoint(168, 384), mainWindow);
        // Two screens side by side, the right one lower down.
        const QList<QRect> twoScreens{QRect(0, 0, 800, 600), QRect(800, 100, 1024, 768)};
        QTest::newRow("across two screens, on the one holding its centre")
            << QRect(QPoint(700, 300), mainWindow) << mainWindow << twoScreens
            << QRect(QPoint(800, 300), mainWindow);
        QTest::newRow("larger than its screen: made as large as the screen")
            << QRect(100, 100, 2000, 1000) << mainWindow << scaledUp << QRect(0, 24, 640, 488);
        QTest::newRow("screen smaller than the window")
            << designed << mainWindow << QList<QRect>{QRect(0, 0, 400, 300)}
            << QRect(QPoint(0, 113), mainWindow);
    }
    void keptOnScreen() {
        QFETCH(QRect, place);
        QFETCH(QSize, smallest);
        QFETCH(QList<QRect>, areas);
        QFETCH(QRect, kept);
        QCOMPARE(WindowPlace::keptOnScreen(place, smallest, areas), kept);
    }
};

QTEST_GUILESS_MAIN(TestWindowPlace)
#include "tst_windowplace.moc"
