#include "import/Spool.h"

#include <QTest>

// Records read again from any one of them on, while more are written and after.
class TestSpool : public QObject {
    Q_OBJECT

private slots:
    void recordsReadAgain_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("all in memory") << 50;
        QTest::newRow("most in the file") << 20000;
    }

    void recordsReadAgain() {
        QFETCH(int, count);
        const auto text = [](int record) {
            return QByteArray(record % 37, char('a' + record % 26));
        };
        const auto check = [&](Spool& spool, int first, bool scan) {
            Spool::Cursor cursor = spool.from(first, scan);
            for (int record = first; record < count; ++record) {
                QVERIFY(cursor.next());
                QCOMPARE(cursor.number(), record);
                QCOMPARE(cursor.text(), text(record));
                if (!scan)
                    return;
            }
            QVERIFY2(!cursor.next(), qPrintable(QString::number(first)));
        };
        Spool spool;
        for (int record = 0; record < count; ++record) {
            spool.addNumber(record);
            spool.addText(text(record));
            spool.endRecord();
        }
        for (const int first : {0, 1, 63, 64, 65, count / 2, count - 1}) {
            if (first >= count)
                continue;
            check(spool, first, false);
            check(spool, first, true);
        }
        spool.rewind();
        for (const int first : {0, count / 2, count - 1})
            check(spool, first, true);
    }
};

QTEST_GUILESS_MAIN(TestSpool)
#include "tst_spool.moc"
