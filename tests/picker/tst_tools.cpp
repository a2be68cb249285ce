#include "support/FakeClipboard.h"
#include "support/PickerTestBed.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

const QStringList rows = {
    "0\tAbies\t\t\t\t\t50\t1",
    "1\tAbies\talba\t\tMill.\t\t51\t2",
    "0\tPicea\t\t\t\t\t538\t3",
    "1\tPicea\tabies\t\t(L.) H.Karst.\t\t539\t4",
};
const QStringList synonyms = {"Picea excelsa\t4", "Pinus picea\t2"};

} // namespace

// The tools as the main window starts them.
class TestTools : public QObject {
    Q_OBJECT

    PickerTestBed bed{rows, synonyms};
    FakeClipboard clipboard;

private slots:
    void init() { bed.reset(); }

    // A synonym copied in the manuscript leads to its accepted name in the lists.
    void synonymSearchSelectsTheAcceptedName() {
        auto form = bed.activatedForm(&clipboard);
        clipboard.copyFromOtherProgram(" \tPicea exc\r\n");
        QTest::keyClick(ui(*form).CBgenus, Qt::Key_N, Qt::AltModifier);
        auto* synonymWindow = form->findChild<QWidget*>("FormSyns");
        QVERIFY(synonymWindow && synonymWindow->isVisible());
        auto* search = synonymWindow->findChild<QLineEdit*>("EditF");
        QCOMPARE(search->text(), QString("Picea exc"));
        synonymWindow->findChild<QPushButton*>("BtnFind")->click();
        auto* grid = synonymWindow->findChild<QTableView*>("DBGrid1");
        QTRY_COMPARE(grid->model()->rowCount(), 1);
        grid->setCurrentIndex(grid->model()->index(0, 0));
        synonymWindow->findChild<QPushButton*>("BtnName")->click();
        QCOMPARE(ui(*form).CBgenus->currentText(), QString("Picea"));
        QCOMPARE(ui(*form).CBspecies->currentText(), QString("abies"));
        QVERIFY(bed.messages().isEmpty());
    }
};

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
