#include "store/TextBlocks.h"

#include <QTest>

// Texts read from the table files as UTF-8 and kept as UTF-16 in shared blocks.
class TestTextBlocks : public QObject {
    Q_OBJECT

private slots:
    // Every length around the widening's chunks of four and eight bytes, with a byte beyond
    // ASCII at each place, reads as Qt's own conversion reads it.
    void textsReadAsUtf8() {
        TextBlocks blocks;
        for (int size = 0; size <= 20; ++size) {
            const QByteArray ascii(size, 'a');
            QByteArray spelled;
            for (int at = 0; at < size; ++at)
                spelled.append(char('A' + at));
            QCOMPARE(blocks.take(spelled), QString::fromLatin1(spelled));
            QCOMPARE(blocks.take(ascii), QString::fromLatin1(ascii));
            for (int at = 0; at < size; ++at) {
                QByteArray mixed = spelled;
                mixed.replace(at, 1, "\xc3\x97"); // ×
                const QString read = blocks.take(mixed);
                QCOMPARE(read, QString::fromUtf8(mixed));
                QCOMPARE(read.utf16()[read.size()], u'\0');
            }
        }
    }

    // Texts handed out stay as they were while more are written into their block and after
    // the blocks are let go; a text longer than a block gets a block of its own.
    void textsOutliveTheirBlocks() {
        QStringList taken;
        QList<TextBlocks::Place> places;
        {
            TextBlocks blocks;
            for (int i = 0; i < 5000; ++i) {
                const QByteArray text = QByteArray::number(i).repeated(i % 7 + 1);
                taken.append(blocks.take(text));
                places.append(blocks.append(text));
            }
            const QByteArray longText(100000, 'x');
            taken.append(blocks.take(longText));
            for (int i = 0; i < 5000; ++i) {
                const QString expected = QString::number(i).repeated(i % 7 + 1);
                QCOMPARE(blocks.text(places[i]), expected);
                QCOMPARE(blocks.view(places[i]), expected);
            }
            blocks.clear();
            taken.append(blocks.take("after"));
        }
        for (int i = 0; i < 5000; ++i)
            QCOMPARE(taken[i], QString::number(i).repeated(i % 7 + 1));
        QCOMPARE(taken[5000], QString(100000, 'x'));
        QCOMPARE(taken[5001], QString("after"));
    }
};

QTEST_APPLESS_MAIN(TestTextBlocks)
#include "tst_textblocks.moc"
