#include "picker/FormattedName.h"

#include <QTest>

namespace {

// The formatted name with its italic stretches between slashes.
QString markup(const FormattedText& name) {
    QString out;
    qsizetype covered = 0;
    for (const TextRun& run : name.runs) {
        if (run.start != covered || run.length <= 0)
            return QStringLiteral("runs do not cover the text in order");
        const QString text = name.text.mid(run.start, run.length);
        out += run.italic ? u'/' + text + u'/' : text;
        covered += run.length;
    }
    return covered == name.text.size() ? out.replace(QStringLiteral("//"), QString())
                                       : QStringLiteral("runs do not cover the text");
}

} // namespace

class TestFormattedName : public QObject {
    Q_OBJECT

private slots:
    void runs_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("genus");
        QTest::addColumn<QString>("species");
        QTest::addColumn<QString>("speciesAuthor");
        QTest::addColumn<QString>("subsp");
        QTest::addColumn<QString>("subspAuthor");
        QTest::addColumn<bool>("authors");
        QTest::addColumn<QString>("expected");

        QTest::newRow("genus level, authors on") << 0 << "Picea"
                                                 << "abies"
                                                 << "(L.) H.Karst."
                                                 << ""
                                                 << "" << true << "/Picea/";
        QTest::newRow("species with author") << 1 << "Picea"
                                             << "abies"
                                             << "(L.) H.Karst."
                                             << ""
                                             << "" << true << "/Picea abies /(L.) H.Karst.";
        QTest::newRow("species without authors") << 1 << "Picea"
                                                 << "abies"
                                                 << "(L.) H.Karst."
                                                 << ""
                                                 << "" << false << "/Picea abies/";
        QTest::newRow("subspecies with both authors")
            << 2 << "Picea"
            << "abies"
            << "(L.) H.Karst."
            << "subsp. obovata"
            << "(Ledeb.) Hultén" << true
            << "/Picea abies /(L.) H.Karst. subsp./ obovata /(Ledeb.) Hultén";
        QTest::newRow("subspecies without authors")
            << 2 << "Picea"
            << "abies"
            << "(L.) H.Karst."
            << "subsp. obovata"
            << "(Ledeb.) Hultén" << false << "/Picea abies /subsp./ obovata/";
        QTest::newRow("empty species author keeps its space")
            << 2 << "Dianthus"
            << "carthusianorum"
            << ""
            << "subsp. carthusianorum"
            << "" << true << "/Dianthus carthusianorum / subsp./ carthusianorum/";
        QTest::newRow("empty subspecies author adds nothing")
            << 2 << "Dianthus"
            << "carthusianorum"
            << "L."
            << "subsp. carthusianorum"
            << "" << true << "/Dianthus carthusianorum /L. subsp./ carthusianorum/";
        QTest::newRow("no species at species level") << 1 << "Picea"
                                                     << ""
                                                     << ""
                                                     << ""
                                                     << "" << true << "/Picea/";
        QTest::newRow("no subspecies at subspecies level")
            << 2 << "Picea"
            << "abies"
            << "(L.) H.Karst."
            << ""
            << "" << true << "/Picea abies /(L.) H.Karst.";
        QTest::newRow("no genus") << 2 << ""
                                  << "abies"
                                  << "L."
                                  << ""
                                  << "" << true << "";
        QTest::newRow("hybrid sign upright") << 1 << "Salix"
                                             << "×rubens"
                                             << "Schrank"
                                             << ""
                                             << "" << true << "/Salix /×/rubens /Schrank";
        QTest::newRow("form and variety")
            << 2 << "Picea"
            << "abies"
            << ""
            << "f. virgata"
            << "(Jacques) Rehder" << false << "/Picea abies /f./ virgata/";
        QTest::newRow("rank word inside a word stays italic")
            << 2 << "Festuca"
            << "varia"
            << ""
            << "var.iegata"
            << "" << false << "/Festuca varia var.iegata/";
    }
    void runs() {
        QFETCH(int, level);
        QFETCH(QString, genus);
        QFETCH(QString, species);
        QFETCH(QString, speciesAuthor);
        QFETCH(QString, subsp);
        QFETCH(QString, subspAuthor);
        QFETCH(bool, authors);
        QFETCH(QString, expected);
        const QList<int> pages = {0, 0};
        const QString citation;
        const FormattedText name = composeFormattedName(
            level, {genus, 0, species, species.isEmpty() ? 0 : 1, subsp, subsp.isEmpty() ? 0 : 1,
                    authors, pages, pages, pages, speciesAuthor, subspAuthor, citation});
        QCOMPARE(markup(name), expected);
    }
};

QTEST_APPLESS_MAIN(TestFormattedName)
#include "tst_formattedname.moc"
