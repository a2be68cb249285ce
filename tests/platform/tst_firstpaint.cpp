#include "platform/FirstPaint.h"

#include <QPaintEvent>
#include <QTest>
#include <QWidget>
#include <memory>

// Work put off until a window is on the screen runs once, after its first paint, and never
// for a window that goes before it is painted.
class TestFirstPaint : public QObject {
    Q_OBJECT

private slots:
    void runsOnceAfterTheFirstPaint() {
        QWidget window;
        int runs = 0;
        bool paintedBefore = false;
        afterFirstPaint(&window, [&] {
            ++runs;
            paintedBefore = window.isVisible();
        });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0); // not shown, not painted
        window.show();
        QVERIFY(QTest::qWaitFor([&] { return runs > 0; }));
        QVERIFY(paintedBefore);
        window.repaint();
        window.hide();
        window.show();
        QTest::qWait(20);
        QCOMPARE(runs, 1);
    }

    void windowGoneFirstRunsNothing() {
        int runs = 0;
        auto window = std::make_unique<QWidget>();
        afterFirstPaint(window.get(), [&] { ++runs; });
        QPaintEvent paint(QRect(0, 0, 10, 10));
        QCoreApplication::sendEvent(window.get(), &paint); // painted, then gone before the loop runs
        window.reset();
        QTest::qWait(20);
        QCOMPARE(runs, 0);
    }
};

QTEST_MAIN(TestFirstPaint)
#include "tst_firstpaint.moc"
