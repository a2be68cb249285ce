#include "picker/ClipboardName.h"
#include "platform/ClipboardText.h"

#include <QTest>

using namespace ClipboardName;

namespace {

Utf8List listOf(const QStringList& texts) {
    Utf8List list;
    for (const QString& text : texts)
        list.append(text.toUtf8());
    return list;
}

} // namespace

class TestClipboardName : public QObject {
    Q_OBJECT

private slots:
    void wordsAreTheFirstTwo_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("genus");
        QTest::addColumn<bool>("hasSpecies");
        QTest::addColumn<QString>("species");
        QTest::newRow("two words") << "Picea abies"
                                   << "Picea" << true << "abies";
        QTest::newRow("blanks around") << " \t\r\nPicea abies \t\n"
                                       << "Picea" << true << "abies";
        QTest::newRow("three words") << "Picea abies subsp. obovata"
                                     << "Picea" << true << "abies";
        QTest::newRow("one word") << "Picea"
                                  << "Picea" << false << "";
        QTest::newRow("tab is no separator") << "Picea\tabies"
                                             << "Picea\tabies" << false << "";
        QTest::newRow("line end is no separator") << "Picea\nabies x"
                                                  << "Picea\nabies" << true << "x";
        QTest::newRow("two spaces") << "Picea  abies"
                                    << "Picea" << true << "";
        QTest::newRow("only blanks") << " \t \n"
                                     << "" << false << "";
        QTest::newRow("control characters trimmed")
            << QString("\x01Picea\x1f") << "Picea" << false << "";
    }
    void wordsAreTheFirstTwo() {
        QFETCH(QString, text);
        QFETCH(QString, genus);
        QFETCH(bool, hasSpecies);
        QFETCH(QString, species);
        const Words found = words(trimmedClipboardText(text));
        QCOMPARE(found.genus.toString(), genus);
        QCOMPARE(found.hasSpecies, hasSpecies);
        QCOMPARE(found.species.toString(), species);
    }

    void wordFindsTheFirstItemAtOrAfterIt_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("index");
        QTest::newRow("whole name") << "Picea" << 3;
        QTest::newRow("beginning") << "Pi" << 3;
        QTest::newRow("first of several") << "P" << 2;
        QTest::newRow("between items") << "Pib" << 3;
        QTest::newRow("longer than the item") << "Piceaceae" << 4;
        QTest::newRow("small letters after capitals") << "a" << 6;
        QTest::newRow("hybrid sign after letters") << "×" << 7;
        QTest::newRow("diacritics by code point") << "Ž" << 8;
        QTest::newRow("beyond the plane") << "\U0001D400" << 9;
        QTest::newRow("after every item") << "\U0001D401" << -1;
    }
    void wordFindsTheFirstItemAtOrAfterIt() {
        // In the lists' order: by the code points of their text.
        const Utf8List items = listOf({"", "Abies", "Pa", "Picea", "Pinus", "Salix", "abies",
                                       "×Sorbaronia", "Ženich", "\U0001D400x"});
        QFETCH(QString, word);
        QFETCH(int, index);
        QCOMPARE(firstAtOrAfter(items, word), qsizetype(index));
    }

    void wholeNamesMatchIgnoringCase() {
        const Utf8List items = listOf({"", "Abies", "abies", "Picea"});
        QCOMPARE(indexIgnoringCase(items, "ABIES"), 1);
        QCOMPARE(indexIgnoringCase(items, "picea"), 3);
        QCOMPARE(indexIgnoringCase(items, "Pice"), -1);
    }
};

QTEST_APPLESS_MAIN(TestClipboardName)
#include "tst_clipboardname.moc"
