#include "picker/FNardel.h"
#include "platform/MessageBox.h"
#include "store/TablePassword.h"
#include "support/ListPick.h"
#include "support/TestSettings.h"
#include "support/TestTables.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

namespace {

const QStringList flora = {
    "0\tPulsatilla\t\t\t\t\t512\t1",
    "1\tPulsatilla\tgrandis\t\tWender.\t\t512\t2",
    "1\tPulsatilla\tpratensis\t\t(L.) Mill.\t\t513\t3",
    "2\tPulsatilla\tpratensis\tsubsp. nigricans\t\t(Störck) Zämelis\t513\t4",
    "2\tPulsatilla\tpratensis\tsubsp. bohemica\t\tSkalický\t514\t5",
    "1\tPulsatilla\tvernalis\t\t(L.) Mill.\t\t515\t6",
    "0\tSalix\t\t\t\t\t90\t7",
    "1\tSalix\t×rubens\t\tSchrank\t\t95\t8",
    "0\tTrapa\t\t\t\t\t700\t9",
    "0\tDianthus\t\t\t\t\t210\t10",
    "1\tDianthus\tcarthusianorum\t\tL.\t\t211\t11",
    "2\tDianthus\tcarthusianorum\tsubsp. carthusianorum\t\t\t211\t12",
};

struct Message {
    MessageBox::Kind kind;
    QString title;
    QString text;
};

// The window on a table folder of its own, after its first activation.
struct ActivatedForm {
    TestTables tables;
    std::unique_ptr<TFormNardel> form;

    ActivatedForm() {
        tables.importRows(flora);
        form = std::make_unique<TFormNardel>(tables.folder());
        form->FormActivate();
    }
};

} // namespace

class TestFormNardel : public QObject {
    Q_OBJECT

    QList<Message> messages;
    std::unique_ptr<TestSettings> settings;
    std::unique_ptr<InfoWindowCloser> infoWindowCloser;

private slots:
    void initTestCase() {
        MessageBox::setSink(
            [this](MessageBox::Kind kind, const QString& title, const QString& text) {
                messages.append({kind, title, text});
            });
        infoWindowCloser = std::make_unique<InfoWindowCloser>();
    }
    void init() {
        messages.clear();
        settings = std::make_unique<TestSettings>();
    }

    void windowHasItsDesignedControls() {
        TestTables tables;
        tables.importRows(flora);
        TFormNardel form(tables.folder());
        QCOMPARE(form.size(), QSize(464, 101));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.pos(), QPoint(194, 113));
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));

        struct Expected {
            QWidget* control;
            QRect place;
            QString caption;
            QString shownHint;
        };
        const QList<Expected> controls = {
            {form.StatusBar, {0, 82, 464, 19}, "", ""},
            {form.CBgenus, {8, 24, 145, 21}, "", "Focus [Ctrl-G]"},
            {form.CBspecies, {160, 24, 145, 21}, "", "Focus [Ctrl-S]"},
            {form.CBsubsp, {312, 24, 145, 21}, "", "Focus [Ctrl-U]"},
            {form.RBgenus, {8, 8, 65, 17}, "Rod", ""},
            {form.RBspecies, {160, 8, 65, 17}, "Druh", ""},
            {form.RBsubsp, {312, 8, 81, 17}, "Poddruh", ""},
            {form.BtnInsert, {384, 56, 75, 25}, "Kopírovat", "Focus [Ctrl-I], Execute [Alt-I]"},
            {form.SpeedButton1, {8, 56, 25, 25}, "", ""},
            {form.LblGenus, {104, 8, 45, 13}, "", ""},
            {form.LblSpecies, {252, 8, 52, 13}, "", ""},
            {form.LblSubsp, {412, 8, 44, 13}, "", ""},
            {form.BtnFind, {256, 56, 57, 25}, "Najít", "Focus [Ctrl-F], Execute [Alt-F]"},
            {form.BtnMenu, {40, 56, 49, 25}, "Volby", ""},
            {form.BtnSyn, {320, 56, 57, 25}, "Syn.", ""},
        };
        for (const Expected& expected : controls) {
            QCOMPARE(expected.control->geometry(), expected.place);
            QCOMPARE(expected.control->toolTip(), expected.shownHint);
            if (auto* button = qobject_cast<QAbstractButton*>(expected.control))
                QCOMPARE(button->text(), expected.caption);
        }
        QVERIFY(form.BtnFind->isHidden());
        QCOMPARE(form.SpeedButton1->focusPolicy(), Qt::NoFocus);
        QCOMPARE(form.LblPage->geometry().topLeft(), QPoint(96, 64));

        const QList<QWidget*> tabOrder = {
            form.CBgenus, form.CBspecies, form.CBsubsp, form.RBgenus,   form.RBspecies,
            form.RBsubsp, form.BtnFind,   form.BtnSyn,  form.BtnInsert, form.BtnMenu};
        for (qsizetype i = 1; i < tabOrder.size(); ++i) {
            QWidget* next = tabOrder[i - 1]->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, tabOrder[i]);
        }
    }

    // What a screen reader reads: a name for every control, the current entry of each list,
    // the counts, the page label and the status line, and every hint, shown or not.
    void screenReaderReadsTheWindow() {
        ActivatedForm activated;
        TFormNardel& form = *activated.form;
        form.RBsubsp->setChecked(true);
        pick(form.CBgenus, "Pulsatilla");
        pick(form.CBspecies, "pratensis");
        const auto read = [](QWidget* control, QAccessible::Text text) {
            return QAccessible::queryAccessibleInterface(control)->text(text);
        };
        for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(control))
                QVERIFY2(!read(control, QAccessible::Name).isEmpty(),
                         qPrintable(control->objectName()));
        }
        QCOMPARE(read(form.CBgenus, QAccessible::Value), QString("Pulsatilla"));
        QCOMPARE(read(form.CBspecies, QAccessible::Value), QString("pratensis"));
        QCOMPARE(read(form.LblGenus, QAccessible::Name), QString("4"));
        QCOMPARE(read(form.LblSpecies, QAccessible::Name), QString("3"));
        QCOMPARE(read(form.LblSubsp, QAccessible::Name), QString("2"));
        QCOMPARE(read(form.LblPage, QAccessible::Name), QString("Valmor (2002): 512/513"));
        QCOMPARE(read(form.StatusBar->findChild<QLabel*>(), QAccessible::Name),
                 QString("Pulsatilla pratensis"));
        QCOMPARE(read(form.RBgenus, QAccessible::Description), QString("Set [Alt-G]"));
        QCOMPARE(read(form.BtnSyn, QAccessible::Description),
                 QString("Focus [Ctrl-N], Execute [Alt-N]"));
    }

    void startsAtSpeciesLevelWithTheBareCitation() {
        TestTables tables;
        tables.importRows(flora);
        TFormNardel form(tables.folder());
        QCOMPARE(form.windowTitle(), QString("Nardel"));
        QCOMPARE(form.level(), 1);
        QVERIFY(form.RBspecies->isChecked());
        QCOMPARE(form.LblPage->text(), QString("Valmor (2002)"));
        QCOMPARE(form.statusColour(), form.palette().color(QPalette::Button));
        QVERIFY(messages.isEmpty());
        QCOMPARE(form.CBgenus->count(), 0);
    }

    void firstActivationFillsTheGenusListOnce() {
        ActivatedForm activated;
        TFormNardel& form = *activated.form;
        QCOMPARE(entries(form.CBgenus), QStringList({"Dianthus", "Pulsatilla", "Salix", "Trapa"}));
        QCOMPARE(form.LblGenus->text(), QString("4"));
        QCOMPARE(form.CBgenus->currentIndex(), -1);
        QCOMPARE(entries(form.CBspecies), QStringList({""}));
        QCOMPARE(entries(form.CBsubsp), QStringList({""}));
        QCOMPARE(form.LblSpecies->text(), QString());

        pick(form.CBgenus, "Salix");
        form.FormActivate(); // a later activation changes nothing
        QCOMPARE(form.CBgenus->currentText(), QString("Salix"));
        QCOMPARE(entries(form.CBspecies), QStringList({"", "×rubens"}));
    }

    void speciesLevelRefillsTheSpeciesList() {
        ActivatedForm activated;
        TFormNardel& form = *activated.form;
        form.RBsubsp->setChecked(true);
        pick(form.CBgenus, "Pulsatilla");
        pick(form.CBspecies, "pratensis");
        QCOMPARE(entries(form.CBsubsp), QStringList({"", "subsp. bohemica", "subsp. nigricans"}));

        form.RBspecies->setChecked(true);
        pick(form.CBgenus, "Dianthus");
        QCOMPARE(entries(form.CBspecies), QStringList({"", "carthusianorum"}));
        QCOMPARE(form.CBspecies->currentIndex(), -1);
        QCOMPARE(form.LblSpecies->text(), QString("1"));
        QCOMPARE(entries(form.CBsubsp), QStringList({""}));
        QCOMPARE(form.LblSubsp->text(), QString());
        QCOMPARE(form.statusText(), QString("Dianthus"));
        QCOMPARE(form.LblPage->text(), QString("Valmor (2002): 210"));

        // At the species level a species pick leaves the subspecies list alone.
        pick(form.CBspecies, "carthusianorum");
        QCOMPARE(entries(form.CBsubsp), QStringList({""}));
        QCOMPARE(form.statusText(), QString("Dianthus carthusianorum"));
        QCOMPARE(form.LblPage->text(), QString("Valmor (2002): 210/211"));
    }

    void genusLevelKeepsTheLowerLists() {
        ActivatedForm activated;
        TFormNardel& form = *activated.form;
        form.RBsubsp->setChecked(true);
        pick(form.CBgenus, "Pulsatilla");
        pick(form.CBspecies, "pratensis");
        pick(form.CBsubsp, "subsp. nigricans");

        form.RBgenus->setChecked(true);
        QCOMPARE(form.level(), 0);
        QCOMPARE(form.statusText(), QString("Pulsatilla pratensis subsp. nigricans"));
        pick(form.CBgenus, "Salix");
        QCOMPARE(form.statusText(), QString("Salix"));
        QCOMPARE(form.CBspecies->currentText(), QString("pratensis"));
        QCOMPARE(form.CBsubsp->currentText(), QString("subsp. nigricans"));
        QCOMPARE(form.LblSpecies->text(), QString("3"));
        QCOMPARE(form.LblSubsp->text(), QString("2"));

        // A change of level refills nothing until the list above changes.
        form.RBspecies->setChecked(true);
        QCOMPARE(form.CBspecies->currentText(), QString("pratensis"));
        pick(form.CBgenus, "Salix");
        QCOMPARE(entries(form.CBspecies), QStringList({"", "×rubens"}));
    }

    void subspeciesLevelCascades() {
        ActivatedForm activated;
        TFormNardel& form = *activated.form;
        form.RBsubsp->setChecked(true);
        form.CBauthor->setChecked(true);
        pick(form.CBgenus, "Pulsatilla");
        pick(form.CBspecies, "pratensis");
        QCOMPARE(form.LblSubsp->text(), QString("2"));
        QCOMPARE(form.statusText(), QString("Pulsatilla pratensis (L.) Mill."));
        pick(form.CBsubsp, "subsp. bohemica");
        QCOMPARE(form.statusText(),
                 QString("Pulsatilla pratensis (L.) Mill. subsp. bohemica Skalický"));
        QCOMPARE(form.LblPage->text(), QString("Valmor (2002): 512/513/514"));

        // The blank species entry empties the subspecies list and its count.
        pick(form.CBspecies, "");
        QCOMPARE(entries(form.CBsubsp), QStringList({""}));
        QCOMPARE(form.LblSubsp->text(), QString());
        QCOMPARE(form.statusText(), QString("Pulsatilla "));

        pick(form.CBgenus, "Dianthus");
        pick(form.CBspecies, "carthusianorum");
        pick(form.CBsubsp, "subsp. carthusianorum");
        QCOMPARE(form.statusText(), QString("Dianthus carthusianorum L. subsp. carthusianorum"));
    }

    void genusWithoutSpeciesCountsZero() {
        ActivatedForm activated;
        TFormNardel& form = *activated.form;
        pick(form.CBgenus, "Trapa");
        QCOMPARE(entries(form.CBspecies), QStringList({""}));
        QCOMPARE(form.LblSpecies->text(), QString("0"));
    }

    void radioButtonsSetOnlyTheLevel() {
        ActivatedForm activated;
        TFormNardel& form = *activated.form;
        pick(form.CBgenus, "Salix");
        const QString shown = form.statusText();
        const QString pageLabel = form.LblPage->text();
        QTest::mouseClick(form.RBsubsp, Qt::LeftButton);
        QCOMPARE(form.level(), 2);
        QTest::mouseClick(form.RBgenus, Qt::LeftButton);
        QCOMPARE(form.level(), 0);
        QCOMPARE(form.statusText(), shown);
        QCOMPARE(form.LblPage->text(), pageLabel);
    }

    void missingNameTableLeavesAnEmptyUsableWindow() {
        TestTables tables;
        TFormNardel form(tables.folder());
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].kind, MessageBox::Kind::Error);
        QCOMPARE(messages[0].title, QString("Error"));
        QCOMPARE(messages[0].text, "Data source for Nardel is not available\r\n[" +
                                       tables.folder() + "/plantnames.db]");
        form.FormActivate();
        QCOMPARE(form.CBgenus->count(), 0);
        QCOMPARE(form.LblPage->text(), QString());
        QCOMPARE(form.statusText(), QString("Data source for Nardel is not available"));
        QCOMPARE(messages.size(), 1);
    }

    void lockedNameTableIsReportedAndTheWindowGoesOn() {
        TestTables tables;
        tables.writeTable("plantnames.db",
                          {R"(CREATE TABLE "plantnames.db" (LEVEL_ INTEGER, GENUS TEXT))"},
                          "another password");
        TFormNardel form(tables.folder());
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.contains(tables.path("plantnames.db")));
        QVERIFY(messages[0].text.contains("password"));
        form.FormActivate();
        QCOMPARE(form.CBgenus->count(), 0);
        QCOMPARE(form.statusText(), QString("Data source for Nardel is not available"));
    }

    // A damaged row ends the pick in the error box; the lists keep their blank entries.
    void engineErrorDuringAPickIsShownAndThePickerGoesOn() {
        TestTables tables;
        tables.writeTable(
            "plantnames.db",
            {R"(CREATE TABLE "plantnames.db" (LEVEL_ INTEGER, GENUS TEXT, SPECIES TEXT,
                SUBSP TEXT, AUTOR0 TEXT, AUTOR1 TEXT, PAGE))",
             R"(INSERT INTO "plantnames.db" VALUES (0, 'Abies', '', '', '', '', 10),
                (1, 'Abies', 'alba', '', 'Mill.', '', 'xi'), (0, 'Larix', '', '', '', '', 12),
                (1, 'Larix', 'decidua', '', 'Mill.', '', 13))"},
            TablePassword::programPassword);
        TFormNardel form(tables.folder());
        form.FormActivate();
        QVERIFY(messages.isEmpty());
        pick(form.CBgenus, "Abies");
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.contains(tables.path("plantnames.db")));
        QCOMPARE(entries(form.CBspecies), QStringList({""}));
        pick(form.CBgenus, "Larix");
        QCOMPARE(entries(form.CBspecies), QStringList({"", "decidua"}));
        QCOMPARE(form.statusText(), QString("Larix"));
    }
};

QTEST_MAIN(TestFormNardel)
#include "tst_formnardel.moc"
