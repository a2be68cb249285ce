#include "store/BrowseRecord.h"
#include "tools/ColumnTitles.h"
#include "tools/RecordIndicator.h"

#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTest>

using Kind = Statement::Kind;

class TestBrowseGrid : public QObject {
    Q_OBJECT

private slots:
    // A record gives each field as the grid shows it, whatever kind the file holds, and its
    // texts do not run into each other.
    void fieldsAsText_data() {
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<QList<qint64>>("integers");
        QTest::addColumn<QList<double>>("reals");
        QTest::addColumn<QStringList>("bytes");
        QTest::addColumn<QStringList>("texts");
        const auto k = [](Kind kind) { return int(kind); };
        QTest::newRow("a name row")
            << QList<int>{k(Kind::Integer), k(Kind::Text), k(Kind::Text), k(Kind::Null),
                          k(Kind::Integer)}
            << QList<qint64>{1, 0, 0, 0, -9223372036854775807LL} << QList<double>(5)
            << QStringList{"", "Abies", "alba", "", ""}
            << QStringList{"1", "Abies", "alba", "", "-9223372036854775807"};
        QTest::newRow("texts beyond ASCII, empty ones between")
            << QList<int>{k(Kind::Text), k(Kind::Text), k(Kind::Text), k(Kind::Blob)}
            << QList<qint64>(4) << QList<double>(4)
            << QStringList{"Skalický", "", "×rubens", "p. 12"}
            << QStringList{"Skalický", "", "×rubens", "p. 12"};
        QTest::newRow("reals as a variant writes them")
            << QList<int>{k(Kind::Real), k(Kind::Real), k(Kind::Real), k(Kind::Real)}
            << QList<qint64>(4) << QList<double>{1.5, 0.1, 1e20, -2} << QStringList(4)
            << QStringList{"1.5", "0.1", "1e+20", "-2"};
        QTest::newRow("no fields")
            << QList<int>{} << QList<qint64>{} << QList<double>{} << QStringList{} << QStringList{};
    }

    void fieldsAsText() {
        QFETCH(QList<int>, kinds);
        QFETCH(QList<qint64>, integers);
        QFETCH(QList<double>, reals);
        QFETCH(QStringList, bytes);
        QFETCH(QStringList, texts);
        QList<QByteArray> utf8;
        for (const QString& text : bytes)
            utf8.append(text.toUtf8());
        QList<Statement::Value> values;
        for (int field = 0; field < kinds.size(); ++field)
            values.append({Kind(kinds[field]), integers[field], reals[field], utf8[field]});
        const BrowseRecord record(7, values);
        utf8.clear(); // the record keeps its own copy of the bytes
        QCOMPARE(record.id, 7);
        for (int field = 0; field < texts.size(); ++field)
            QCOMPARE(record.text(field), texts[field]);
        QCOMPARE(record.text(int(texts.size())), QString());
        QCOMPARE(record.text(-1), QString());
    }

    // The column titles are as high as Qt's own header makes them, in any font; a title of
    // several lines makes them higher.
    void titlesAsHighAsQtMakesThem_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("field names") << QStringList{"LEVEL_", "GENUS", "PN_REC"} << 0;
        QTest::newRow("a larger font") << QStringList{"LEVEL_", "GENUS"} << 24;
        QTest::newRow("a title of two lines") << QStringList{"GENUS", "two\nlines"} << 0;
        QTest::newRow("no columns") << QStringList{} << 0;
    }

    void titlesAsHighAsQtMakesThem() {
        QFETCH(QStringList, titles);
        QFETCH(int, pointSize);
        QStandardItemModel model(1, int(titles.size()));
        model.setHorizontalHeaderLabels(titles);
        QTableView plain;
        plain.setModel(&model);
        QTableView grid;
        new ColumnTitles(&grid);
        grid.setModel(&model);
        // Measured once in the default font first, so that a stale height would show.
        const int defaultHeight = grid.horizontalHeader()->sizeHint().height();
        QCOMPARE(defaultHeight, plain.horizontalHeader()->sizeHint().height());
        if (pointSize > 0) {
            QFont font = grid.horizontalHeader()->font();
            font.setPointSize(pointSize);
            grid.horizontalHeader()->setFont(font);
            plain.horizontalHeader()->setFont(font);
        }
        QCOMPARE(grid.horizontalHeader()->sizeHint().height(),
                 plain.horizontalHeader()->sizeHint().height());
    }

    // The record indicator is as wide as its mark in the font it has now.
    void indicatorAsWideAsItsMark_data() {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("the default font") << 0;
        QTest::newRow("a larger font") << 30;
    }

    void indicatorAsWideAsItsMark() {
        QFETCH(int, pointSize);
        QTableView grid;
        auto* indicator = new RecordIndicator(&grid);
        // Measured once in the default font first, so that a stale width would show.
        const int defaultWidth = indicator->sizeHint().width();
        QFont font = indicator->font();
        if (pointSize > 0)
            font.setPointSize(pointSize);
        indicator->setFont(font);
        const int margin = indicator->style()->pixelMetric(QStyle::PM_HeaderMargin);
        QCOMPARE(indicator->sizeHint().width(),
                 QFontMetrics(font).horizontalAdvance(recordIndicatorMark) + 2 * margin);
        QVERIFY(pointSize == 0 || indicator->sizeHint().width() > defaultWidth);
    }
};

QTEST_MAIN(TestBrowseGrid)
#include "tst_browsegrid.moc"
