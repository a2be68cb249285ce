#include "picker/PickerLists.h"
#include "store/TablePath.h"
#include "support/TestTables.h"

#include <QTest>

namespace {

const QStringList flora = {
    "0\tAbies\t\t\t\t\t30\t1",
    "1\tAbies\talba\t\tMill.\t\t30\t2",
    "1\tAbies\tnordmanniana\t\t(Steven) Spach\t\t31\t3",
    "2\tAbies\tnordmanniana\tsubsp. equi-trojani\t\t(Asch. et Sint.) Coode\t31\t4",
    "2\tAbies\tnordmanniana\tsubsp. bornmuelleriana\t\t(Mattf.) Coode\t32\t5",
    "0\tTaxus\t\t\t\t\t40\t6",
};

// A list's entries with the page and author of each: "text page author".
QStringList shown(const NameList& list) {
    QStringList entries;
    for (qsizetype i = 0; i < list.texts.size(); ++i)
        entries.append(QStringLiteral("%1 %2 %3")
                           .arg(list.texts.value(i))
                           .arg(list.pages.value(i, -1))
                           .arg(list.authors.value(i))
                           .trimmed());
    return entries;
}

QString countText(const std::optional<qsizetype>& count) {
    return count ? QString::number(*count) : QStringLiteral("none");
}

} // namespace

class TestPickerLists : public QObject {
    Q_OBJECT

private slots:
    // The lists read anew keep the selection down to the first text they no longer hold; the
    // genus list is read ahead as at the start.
    void refillKeepsWhatTheTablesStillHold_data() {
        QTest::addColumn<QStringList>("selected"); // one text a list, "-" for none
        QTest::addColumn<QList<qsizetype>>("indexes");
        QTest::addColumn<QStringList>("counts");
        QTest::addColumn<QStringList>("species");
        QTest::addColumn<QStringList>("subspecies");
        QTest::newRow("nothing selected")
            << QStringList{"-", "-", "-"} << QList<qsizetype>{-1, -1, -1}
            << QStringList{"2", "none", "none"} << QStringList{"0"} << QStringList{"0"};
        QTest::newRow("a genus") << QStringList{"Abies", "-", "-"} << QList<qsizetype>{0, -1, -1}
                                 << QStringList{"2", "2", "none"}
                                 << QStringList{"0", "alba 30 Mill.",
                                                "nordmanniana 31 (Steven) Spach"}
                                 << QStringList{"0"};
        QTest::newRow("down to the subspecies")
            << QStringList{"Abies", "nordmanniana", "subsp. equi-trojani"}
            << QList<qsizetype>{0, 2, 2} << QStringList{"2", "2", "2"}
            << QStringList{"0", "alba 30 Mill.", "nordmanniana 31 (Steven) Spach"}
            << QStringList{"0", "subsp. bornmuelleriana 32 (Mattf.) Coode",
                           "subsp. equi-trojani 31 (Asch. et Sint.) Coode"};
        QTest::newRow("the blank species")
            << QStringList{"Abies", "", "-"} << QList<qsizetype>{0, 0, -1}
            << QStringList{"2", "2", "none"}
            << QStringList{"0", "alba 30 Mill.", "nordmanniana 31 (Steven) Spach"}
            << QStringList{"0"};
        QTest::newRow("a species gone")
            << QStringList{"Abies", "pinsapo", "-"} << QList<qsizetype>{0, -1, -1}
            << QStringList{"2", "2", "none"}
            << QStringList{"0", "alba 30 Mill.", "nordmanniana 31 (Steven) Spach"}
            << QStringList{"0"};
        QTest::newRow("a genus gone")
            << QStringList{"Pinus", "nigra", "-"} << QList<qsizetype>{-1, -1, -1}
            << QStringList{"2", "none", "none"} << QStringList{"0"} << QStringList{"0"};
        QTest::newRow("a genus without species")
            << QStringList{"Taxus", "-", "-"} << QList<qsizetype>{1, -1, -1}
            << QStringList{"2", "0", "none"} << QStringList{"0"} << QStringList{"0"};
    }
    void refillKeepsWhatTheTablesStillHold() {
        QFETCH(QStringList, selected);
        QFETCH(QList<qsizetype>, indexes);
        QFETCH(QStringList, counts);
        QFETCH(QStringList, species);
        QFETCH(QStringList, subspecies);
        TestTables tables;
        tables.importRows(flora);
        PickerLists lists;
        lists.open(tablePathIn(tables.folder(), "plantnames.db"));
        lists.readGenusAhead();
        PickerLists::Selection selection;
        for (int level = 0; level < 3; ++level)
            if (selected[level] != "-")
                selection[level] = selected[level];

        const std::array<qsizetype, 3> found = lists.refill(selection);
        QCOMPARE(QList<qsizetype>(found.begin(), found.end()), indexes);
        QCOMPARE(shown(lists.entries(PickerLists::Genus)), QStringList({"Abies 30", "Taxus 40"}));
        QCOMPARE(shown(lists.entries(PickerLists::Species)), species);
        QCOMPARE(shown(lists.entries(PickerLists::Subsp)), subspecies);
        QCOMPARE((QStringList{countText(lists.count(PickerLists::Genus)),
                              countText(lists.count(PickerLists::Species)),
                              countText(lists.count(PickerLists::Subsp))}),
                 counts);
    }
};

QTEST_GUILESS_MAIN(TestPickerLists)
#include "tst_pickerlists.moc"
