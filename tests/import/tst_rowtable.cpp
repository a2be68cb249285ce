#include "import/RowTable.h"

#include <QList>
#include <QTest>

// Rows are told apart by their texts alone, whatever bits their fingerprints share.
class TestRowTable : public QObject {
    Q_OBJECT

private slots:
    void keysSharingBitsStayApart_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<quint64>("sharedHigh"); // 0: each text's own fingerprint
        QTest::newRow("own fingerprints, growing") << 5000 << quint64(0);
        QTest::newRow("one check for all") << 300 << quint64(0x7000'0000'dead'beefULL);
        QTest::newRow("check 0 beside check 1") << 300 << quint64(0x7000'0000'0000'0000ULL);
    }

    void keysSharingBitsStayApart() {
        QFETCH(int, count);
        QFETCH(quint64, sharedHigh);
        QList<QByteArray> texts;
        const auto keyOf = [&](const QByteArray& text, int at) {
            Fingerprint key = Fingerprint::of(text);
            if (sharedHigh != 0)
                key.high = sharedHigh | quint64(at % 2); // low 32 bits 0 and 1 in the last row
            return key;
        };
        RowTable table;
        for (int at = 0; at < count; ++at) {
            const QByteArray text = "name " + QByteArray::number(at);
            const auto same = [&](qint32 row) { return texts[row] == text; };
            QCOMPARE(table.insert(keyOf(text, at), qint32(texts.size()), same), std::nullopt);
            texts.append(text);
        }
        for (int at = 0; at < count; ++at) {
            const QByteArray& text = texts[at];
            const auto same = [&](qint32 row) { return texts[row] == text; };
            QCOMPARE(table.find(keyOf(text, at), same), std::optional<qint32>(at));
            QCOMPARE(table.insert(keyOf(text, at), -1, same), std::optional<qint32>(at));
        }
        const QByteArray other = "another name";
        QCOMPARE(table.find(keyOf(other, 0), [&](qint32 row) { return texts[row] == other; }),
                 std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestRowTable)
#include "tst_rowtable.moc"
