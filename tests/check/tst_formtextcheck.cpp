#include "check/FTextCheck.h"
#include "support/FakeClipboard.h"
#include "support/RichTextReader.h"
#include "support/TestTables.h"

#include <QLabel>
#include <QTableView>
#include <QTest>

// The window on a text copied as HTML: its rows, a row that leads the main window to the
// accepted name of a synonym, a replacement ticked and the text copied back as RTF; then the
// names of other tables.
class TestFormTextCheck : public QObject {
    Q_OBJECT

private slots:
    void checksCopiedTextAndCopiesItBack() {
        TestTables tables;
        tables.importRows({"0\tPicea\t\t\t\t\t10\t1", "1\tPicea\tabies\t\t(L.) H.Karst.\t\t11\t2",
                           "2\tPicea\tabies\tsubsp. obovata\t\t(Ledeb.) Hultén\t11\t3"},
                          {"Picea excelsa\t2", "Picea obovata\t3"});
        FakeClipboard clipboard;
        clipboard.copyFromOtherProgram(
            "Picea excelsa a Picea obovata.",
            {{"text/html", "<p><i>Picea excelsa</i> a Picea obovata.</p>"}});
        QStringList selected;
        TFormTextCheck window(
            tables.folder() + u'/', clipboard,
            [&](int level, const QString& genus, const QString& species, const QString& subsp) {
                selected.append(
                    QStringList{QString::number(level), genus, species, subsp}.join(u'|'));
            });
        window.ShowFormTextCheck();
        auto* grid = window.findChild<QTableView*>("GridNames");
        QTRY_COMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(window.findChild<QLabel*>("LblState")->text(), QString("Nalezená jména: 2"));
        QCOMPARE(grid->model()->index(1, 3).data().toString(),
                 QString("synonymum → Picea abies subsp. obovata"));

        window.selectRow(grid->model()->index(1, 0));
        QCOMPARE(selected, QStringList{"2|Picea|abies|subsp. obovata"});

        QVERIFY(
            grid->model()->setData(grid->model()->index(0, 3), Qt::Checked, Qt::CheckStateRole));
        window.BtnCopyClick();
        QCOMPARE(readRtf(clipboard.data("text/rtf")).markup,
                 QString("/Picea abies/ a /Picea obovata/."));
        QCOMPARE(clipboard.text(), QString("Picea abies a Picea obovata."));

        // Other tables: the open window reads their names and checks the text again.
        TestTables other;
        other.importRows({"0\tLarix\t\t\t\t\t1\t1", "1\tLarix\tdecidua\t\tMill.\t\t2\t2"},
                         {"Larix europaea\t2"});
        clipboard.copyFromOtherProgram("Larix europaea a Picea excelsa.");
        window.useTables(other.folder() + u'/');
        window.BtnClipboardClick();
        QTRY_COMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(grid->model()->index(0, 3).data().toString(),
                 QString("synonymum → Larix decidua"));
    }
};

QTEST_MAIN(TestFormTextCheck)
#include "tst_formtextcheck.moc"
