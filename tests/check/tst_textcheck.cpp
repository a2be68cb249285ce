#include "check/NameCatalogReader.h"
#include "check/TextCheck.h"
#include "store/NameSource.h"
#include "support/SmallCatalog.h"
#include "support/TestTables.h"

#include <QTest>

namespace {

StyledText plain(const QByteArray& text) {
    return {text, {}};
}

// The paragraphs with their italic stretches between slashes, one line each.
QString markupOf(const QList<FormattedText>& paragraphs) {
    QStringList lines;
    for (const FormattedText& paragraph : paragraphs) {
        QString line;
        for (const TextRun& run : paragraph.runs) {
            const QString text = paragraph.text.sliced(run.start, run.length);
            line += run.italic ? u'/' + text + u'/' : text;
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}

} // namespace

class TestTextCheck : public QObject {
    Q_OBJECT

private slots:
    // Each found name as its line, as written, in the tables and its status.
    void rowsNameWhatWasFound_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("accepted with authors")
            << QByteArray("Smrk Picea abies (L.) H.Karst. roste.")
            << QStringList{"1|Picea abies (L.) H.Karst.|Picea abies (L.) H.Karst.|přijaté"};
        QTest::newRow("synonym without authors")
            << QByteArray("Dříve\nAbies pectinata.")
            << QStringList{"2|Abies pectinata|Abies pectinata|synonymum → Abies alba"};
        QTest::newRow("misspelling")
            << QByteArray("Picea omorica roste v Srbsku.")
            << QStringList{"1|Picea omorica|Picea omorika|překlep? → Picea omorika"};
        QTest::newRow("word broken at a line end")
            << QByteArray("Cymbidium pul-\ncheilum kvete.")
            << QStringList{"1|Cymbidium pulcheilum|Cymbidium pulcheilum|přijaté"};
        QTest::newRow("unknown epithet in italics")
            << QByteArray("Iris *fictiva*") << QStringList{"1|Iris fictiva||neznámé"};
    }
    void rowsNameWhatWasFound() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, rows);
        StyledText styled;
        for (const char c : text) {
            if (c != '*')
                styled.utf8 += c;
            else if (styled.italics.isEmpty() || styled.italics.last().end >= 0)
                styled.italics.append({styled.utf8.size(), -1});
            else
                styled.italics.last().end = styled.utf8.size();
        }
        const TextCheck check(smallCatalog(), styled, true);
        QStringList found;
        for (qsizetype row = 0; row < check.size(); ++row)
            found.append(QStringList{QString::number(check.line(row)), check.written(row),
                                     check.name(row), check.status(row)}
                             .join(u'|'));
        QCOMPARE(found, rows);
    }

    // The tables' names and synonyms, each synonym with the accepted name of its record.
    void namesComeFromTheTables() {
        TestTables tables;
        tables.importRows({"0\tPicea\t\t\t\t\t10\t7", "1\tPicea\tabies\t\t(L.) H.Karst.\t\t11\t12",
                           "2\tPicea\tabies\tsubsp. obovata\t\t(Ledeb.) Hultén\t11\t3",
                           "0\tLarix\t\t\t\t\t12\t9", "1\tLarix\tdecidua\t\tMill.\t\t12\t5"},
                          {"Pinus abies\t12", "Picea obovata\t3", "Larix europaea\t5"});
        NameSource source;
        source.connectToFolder(tables.folder() + u'/');
        const NameCatalog catalog = readNameCatalog(source);
        const TextCheck check(catalog,
                              {"Pinus abies, Picea obovata, Larix europaea; "
                               "Picea abies subsp. obovata (Ledeb.) Hultén.",
                               {}},
                              false);
        QStringList statuses;
        for (qsizetype row = 0; row < check.size(); ++row)
            statuses.append(check.name(row) + u'|' + check.status(row));
        QCOMPARE(statuses, QStringList({"Pinus abies|synonymum → Picea abies",
                                        "Picea obovata|synonymum → Picea abies subsp. obovata",
                                        "Larix europaea|synonymum → Larix decidua",
                                        "Picea abies subsp. obovata (Ledeb.) Hultén|přijaté"}));
    }

    // The text comes back whole with every name's words in italics; a chosen replacement
    // takes the written name's place, with the table's authors where the text had authors.
    void textComesBackInItalics_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<int>>("replaced");
        QTest::addColumn<QString>("markup");
        QTest::newRow("names as written")
            << QByteArray("Smrk Picea abies (L.) H.Karst. a P. omorika.") << QList<int>()
            << "Smrk /Picea abies/ (L.) H.Karst. a /P. omorika/.";
        QTest::newRow("rank word upright")
            << QByteArray("Galium album subsp. pycnotrichum") << QList<int>()
            << "/Galium album/ subsp. /pycnotrichum/";
        QTest::newRow("synonym replaced") << QByteArray("Dříve Abies pectinata, teď?")
                                          << QList<int>{0} << "Dříve /Abies alba/, teď?";
        QTest::newRow("synonym with authors replaced")
            << QByteArray("Pinus abies L. roste.") << QList<int>{0}
            << "/Picea abies/ (L.) H.Karst. roste.";
        QTest::newRow("misspelling replaced")
            << QByteArray("Picea omorica a Larix decidua") << QList<int>{0}
            << "/Picea omorika/ a /Larix decidua/";
        QTest::newRow("accepted name offers nothing to replace")
            << QByteArray("Larix decidua") << QList<int>{0} << "/Larix decidua/";
        QTest::newRow("paragraphs kept") << QByteArray("Larix decidua\n\nPoa alpina.\n")
                                         << QList<int>() << "/Larix decidua/\n\n/Poa alpina/.";
    }
    void textComesBackInItalics() {
        QFETCH(QByteArray, text);
        QFETCH(QList<int>, replaced);
        QFETCH(QString, markup);
        TextCheck check(smallCatalog(), plain(text), true);
        for (const int row : replaced)
            check.setReplaces(row, true);
        QCOMPARE(markupOf(check.formatted()), markup);
        QCOMPARE(check.plainText(), QString(markup).remove(u'/'));
    }
};

QTEST_MAIN(TestTextCheck)
#include "tst_textcheck.moc"
