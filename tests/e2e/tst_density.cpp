#include "e2e/XSession.h"

#include <QTest>

namespace {

// A "WIDTHxHEIGHT" or "X,Y" that xdotool reports, as two numbers.
QPoint numbers(const QString& pair) {
    const QStringList parts = pair.split(QRegularExpression("[x,]"));
    return parts.size() == 2 ? QPoint(parts[0].toInt(), parts[1].toInt()) : QPoint(-1, -1);
}

// Whether a reported pair lies within one pixel of the designed one scaled to the density:
// fractional scaling may round either way.
bool near(const QString& reported, QPointF designed, double scale) {
    const QPoint shown = numbers(reported);
    return qAbs(shown.x() - designed.x() * scale) <= 1 &&
           qAbs(shown.y() - designed.y() * scale) <= 1;
}

} // namespace

// The windows on screens of other densities: Qt scales them, and the program's own sizes and
// places must come out as designed, scaled once.
class TestDensity : public QObject {
    Q_OBJECT

private slots:
    void windowsKeepTheirDesignedSizes_data() {
        QTest::addColumn<int>("dotsPerInch");
        for (int dotsPerInch : {96, 110, 120, 144})
            QTest::addRow("%d dpi", dotsPerInch) << dotsPerInch;
    }
    void windowsKeepTheirDesignedSizes() {
        QFETCH(int, dotsPerInch);
        const double scale = dotsPerInch / 96.0;
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.setDotsPerInch(dotsPerInch);
        session.copyBundledTables();
        session.startProgram(NARDEL_PROGRAM);

        QString info;
        QVERIFY(XSession::waitFor(
            [&] { return !(info = session.findWindow("^Program info$")).isEmpty(); }));
        QVERIFY2(near(session.windowSize(info), {384, 221}, scale),
                 qPrintable(session.windowSize(info)));
        // "More Info >>" opens the panel of version lines, and closes it again.
        session.pressKey(info, "Tab");
        session.pressKey(info, "space");
        QVERIFY2(XSession::waitFor([&] {
                     return near(session.windowSize(info), {384, 365}, scale);
                 }),
                 qPrintable(session.windowSize(info)));
        session.pressKey(info, "space");
        QVERIFY2(XSession::waitFor([&] {
                     return near(session.windowSize(info), {384, 221}, scale);
                 }),
                 qPrintable(session.windowSize(info)));
        session.pressKey(info, "shift+Tab");
        QVERIFY(session.dismissInfoWindow());

        QString window;
        QVERIFY(XSession::waitFor(
            [&] { return !(window = session.findWindow("^Nardel Pro$")).isEmpty(); }));
        QVERIFY2(near(session.windowSize(window), {464, 101}, scale),
                 qPrintable(session.windowSize(window)));
        // "Volby", then "&Obnova okna".
        session.click(window, (QPointF(64, 68) * scale).toPoint());
        QVERIFY(XSession::waitFor([&] {
            session.run("xdotool", {"key", "o"});
            return near(session.windowPosition(window), {10, 10}, 1);
        }));
        QVERIFY2(near(session.windowSize(window), {464, 101}, scale),
                 qPrintable(session.windowSize(window)));
    }
};

QTEST_GUILESS_MAIN(TestDensity)
#include "tst_density.moc"
