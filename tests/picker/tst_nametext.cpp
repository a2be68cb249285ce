#include "picker/NameText.h"

#include <QTest>

class TestNameText : public QObject {
    Q_OBJECT

private slots:
    // The genus is entry 0 of its list; species and subspecies are entry 1 of theirs, after
    // the blank entry. An empty text means nothing (or the blank entry) is selected.
    void composesNameAndPageLabel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("genus");
        QTest::addColumn<QString>("species");
        QTest::addColumn<QString>("subsp");
        QTest::addColumn<QString>("speciesAuthor");
        QTest::addColumn<QString>("subspAuthor");
        QTest::addColumn<bool>("authors");
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pageLabel");

        const QList<int> p120_121_121{120, 121, 121};
        QTest::newRow("nothing selected") << 0 << ""
                                          << ""
                                          << ""
                                          << "A"
                                          << "B" << true << QList<int>{120, 121, 122} << ""
                                          << "Valmor (2002)";
        QTest::newRow("genus") << 0 << "G"
                               << ""
                               << ""
                               << "A"
                               << "B" << true << QList<int>{120, 121, 122} << "G"
                               << "Valmor (2002): 120";
        QTest::newRow("blank species") << 1 << "G"
                                       << ""
                                       << ""
                                       << "A"
                                       << "B" << true << QList<int>{120, 121, 122} << "G "
                                       << "Valmor (2002): 120";
        QTest::newRow("species") << 1 << "G"
                                 << "S"
                                 << ""
                                 << "A"
                                 << "B" << true << QList<int>{120, 121, 122} << "G S A"
                                 << "Valmor (2002): 120/121";
        QTest::newRow("empty species author") << 1 << "G"
                                              << "S"
                                              << ""
                                              << ""
                                              << "B" << true << QList<int>{120, 120, 122} << "G S "
                                              << "Valmor (2002): 120";
        QTest::newRow("blank subspecies") << 2 << "G"
                                          << "S"
                                          << ""
                                          << "A"
                                          << "B" << true << QList<int>{120, 121, 122} << "G S A "
                                          << "Valmor (2002): 120/121";
        QTest::newRow("subspecies") << 2 << "G"
                                    << "S"
                                    << "U"
                                    << "A"
                                    << "B" << true << p120_121_121 << "G S A U B"
                                    << "Valmor (2002): 120/121";
        QTest::newRow("empty subspecies author")
            << 2 << "G"
            << "S"
            << "U"
            << "A"
            << "" << true << QList<int>{120, 120, 122} << "G S A U"
            << "Valmor (2002): 120/122";
        QTest::newRow("page back to the genus page")
            << 2 << "G"
            << "S"
            << "U"
            << "A"
            << "B" << true << QList<int>{120, 121, 120} << "G S A U B"
            << "Valmor (2002): 120/121/120";
        QTest::newRow("authors off") << 2 << "G"
                                     << "S"
                                     << "U"
                                     << "A"
                                     << "B" << false << p120_121_121 << "G S U"
                                     << "Valmor (2002): 120/121";
        QTest::newRow("empty species author keeps its blank")
            << 2 << "G"
            << "S"
            << "U"
            << ""
            << "B" << true << p120_121_121 << "G S  U B"
            << "Valmor (2002): 120/121";
        QTest::newRow("genus level ignores the other lists") << 0 << "G"
                                                             << "S"
                                                             << "U"
                                                             << "A"
                                                             << "B" << true << p120_121_121 << "G"
                                                             << "Valmor (2002): 120";
        QTest::newRow("species level ignores the subspecies")
            << 1 << "G"
            << "S"
            << "U"
            << "A"
            << "B" << false << QList<int>{5, 6, 7} << "G S"
            << "Valmor (2002): 5/6";
        QTest::newRow("page 0 is written when it differs")
            << 2 << "G"
            << "S"
            << "U"
            << "A"
            << "B" << false << QList<int>{5, 0, 0} << "G S U"
            << "Valmor (2002): 5/0";
        QTest::newRow("diacritics and hybrid sign")
            << 2 << "Dianthus"
            << "×hellwigii"
            << "subsp. saxigenus"
            << "Borbás ex Asch. & Graebn."
            << "(Schur) Čelak." << true << QList<int>{210, 211, 211}
            << "Dianthus ×hellwigii Borbás ex Asch. & Graebn. subsp. saxigenus (Schur) Čelak."
            << "Valmor (2002): 210/211";
    }

    void composesNameAndPageLabel() {
        QFETCH(int, level);
        QFETCH(QString, genus);
        QFETCH(QString, species);
        QFETCH(QString, subsp);
        QFETCH(QString, speciesAuthor);
        QFETCH(QString, subspAuthor);
        QFETCH(bool, authors);
        QFETCH(QList<int>, pages);
        QFETCH(QString, name);
        QFETCH(QString, pageLabel);

        const QList<int> genusPages{pages[0]};
        const QList<int> speciesPages{0, pages[1]};
        const QList<int> subspPages{0, pages[2]};
        const QString citation = "Valmor (2002)";
        const NameText text = composeNameText(
            level, {genus, genus.isEmpty() ? -1 : 0, species, species.isEmpty() ? 0 : 1, subsp,
                    subsp.isEmpty() ? 0 : 1, authors, genusPages, speciesPages, subspPages,
                    speciesAuthor, subspAuthor, citation});
        QCOMPARE(text.name, name);
        QCOMPARE(text.pageLabel, pageLabel);
    }

    // An imported checklist has no pages: its label is its citation alone, not ": 0/0/0".
    void checklistWithoutPagesShowsItsCitationAlone_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("pageLabel");
        QTest::newRow("subspecies, pages") << 2 << "Valmor (2002): 0";
        QTest::newRow("genus, no pages") << 0 << "Flora (2012)";
        QTest::newRow("subspecies, no pages") << 2 << "Flora (2012)";
    }
    void checklistWithoutPagesShowsItsCitationAlone() {
        QFETCH(int, level);
        QFETCH(QString, pageLabel);
        const bool pages = pageLabel.startsWith("Valmor");
        const QList<int> genusPages{0};
        const QList<int> otherPages{0, 0};
        const QString citation = pages ? "Valmor (2002)" : "Flora (2012)";
        const NameText text =
            composeNameText(level, {"Abies", 0, "alba", 1, "subsp. alba", 1, true, genusPages,
                                    otherPages, otherPages, "L.", "L.", citation, pages});
        QCOMPARE(text.pageLabel, pageLabel);
        QCOMPARE(text.name, level == 0 ? "Abies" : "Abies alba L. subsp. alba L.");
    }
};

QTEST_GUILESS_MAIN(TestNameText)
#include "tst_nametext.moc"
