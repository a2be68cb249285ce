#include "picker/FNardel.h"
#include "platform/MessageBox.h"
#include "store/TablePassword.h"
#include "support/FakeClipboard.h"
#include "support/ListPick.h"
#include "support/PickerControls.h"
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

// The cascade copies nothing unless asked; the desktop's clipboard stays out of it.
FakeClipboard clipboard;

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

    explicit ActivatedForm(SettingsStore& settings) {
        tables.importRows(flora);
        form = std::make_unique<TFormNardel>(tables.folder(), clipboard, settings);
        form->FormActivate();
    }
};

// A name table whose pages may hold any value, with the rows given as SQL values.
void writeNamesWithAnyPage(TestTables& tables, const QString& rows) {
    tables.writeTable("plantnames.db",
                      {R"(CREATE TABLE "plantnames.db" (LEVEL_ INTEGER, GENUS TEXT, SPECIES TEXT,
                          SUBSP TEXT, AUTOR0 TEXT, AUTOR1 TEXT, PAGE))",
                       R"(INSERT INTO "plantnames.db" VALUES )" + rows},
                      TablePassword::programPassword);
}

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
        TFormNardel form(tables.folder(), clipboard, settings->store());
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
            {ui(form).StatusBar, {0, 82, 464, 19}, "", ""},
            {ui(form).CBgenus, {8, 24, 145, 21}, "", "Focus [Ctrl-G]"},
            {ui(form).CBspecies, {160, 24, 145, 21}, "", "Focus [Ctrl-S]"},
            {ui(form).CBsubsp, {312, 24, 145, 21}, "", "Focus [Ctrl-U]"},
            {ui(form).RBgenus, {8, 8, 65, 17}, "Rod", ""},
            {ui(form).RBspecies, {160, 8, 65, 17}, "Druh", ""},
            {ui(form).RBsubsp, {312, 8, 81, 17}, "Poddruh", ""},
            {ui(form).BtnInsert, {384, 56, 75, 25}, "Kopírovat", "Focus [Ctrl-I], Execute [Alt-I]"},
            {ui(form).SpeedButton1, {8, 56, 25, 25}, "", "O programu"},
            {ui(form).LblGenus, {104, 8, 45, 13}, "", ""},
            {ui(form).LblSpecies, {252, 8, 52, 13}, "", ""},
            {ui(form).LblSubsp, {412, 8, 44, 13}, "", ""},
            {ui(form).BtnFind, {256, 56, 57, 25}, "Najít", "Focus [Ctrl-F], Execute [Alt-F]"},
            {ui(form).BtnMenu, {40, 56, 49, 25}, "Volby", ""},
            {ui(form).BtnSyn, {320, 56, 57, 25}, "Syn.", ""},
        };
        for (const Expected& expected : controls) {
            QCOMPARE(expected.control->geometry(), expected.place);
            QCOMPARE(expected.control->toolTip(), expected.shownHint);
            if (auto* button = qobject_cast<QAbstractButton*>(expected.control))
                QCOMPARE(button->text(), expected.caption);
        }
        QVERIFY(ui(form).BtnFind->isHidden());
        QCOMPARE(ui(form).LblPage->geometry().topLeft(), QPoint(96, 64));

        const QList<QWidget*> tabOrder = {
            ui(form).CBgenus,   ui(form).CBspecies,    ui(form).CBsubsp, ui(form).RBgenus,
            ui(form).RBspecies, ui(form).RBsubsp,      ui(form).BtnFind, ui(form).BtnSyn,
            ui(form).BtnInsert, ui(form).SpeedButton1, ui(form).BtnMenu};
        for (qsizetype i = 1; i < tabOrder.size(); ++i) {
            QWidget* next = tabOrder[i - 1]->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, tabOrder[i]);
        }
    }

    // What a screen reader reads: a name for every control, each list by its role and its
    // current entry, the counts, the page label and the status line, and every hint, shown
    // or not.
    void screenReaderReadsTheWindow_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("text");
        QTest::addColumn<QString>("read");
        const auto row = [](const char* control, QAccessible::Text text, const QString& read) {
            QTest::addRow("%s %s", control,
                          text == QAccessible::Name    ? "name"
                          : text == QAccessible::Value ? "value"
                                                       : "description")
                << QString(control) << int(text) << read;
        };
        row("CBgenus", QAccessible::Name, "Rod");
        row("CBgenus", QAccessible::Value, "Pulsatilla");
        row("CBspecies", QAccessible::Name, "Druh");
        row("CBspecies", QAccessible::Value, "pratensis");
        row("CBsubsp", QAccessible::Name, "Poddruh");
        row("LblGenus", QAccessible::Name, "Počet rodů: 4");
        row("LblSpecies", QAccessible::Name, "Počet druhů: 3");
        row("LblSubsp", QAccessible::Name, "Počet poddruhů: 2");
        row("LblPage", QAccessible::Name, "Valmor (2002): 512/513");
        row("StatusPanel", QAccessible::Name, "Pulsatilla pratensis");
        row("RBgenus", QAccessible::Description, "Set [Alt-G]");
        row("BtnSyn", QAccessible::Name, "Synonyma");
        row("BtnSyn", QAccessible::Description, "Focus [Ctrl-N], Execute [Alt-N]");
    }
    void screenReaderReadsTheWindow() {
        QFETCH(QString, control);
        QFETCH(int, text);
        QFETCH(QString, read);
        ActivatedForm activated{settings->store()};
        TFormNardel& form = *activated.form;
        ui(form).RBsubsp->setChecked(true);
        pick(ui(form).CBgenus, "Pulsatilla");
        pick(ui(form).CBspecies, "pratensis");
        auto* const widget = form.findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Text(text)),
                 read);
    }
    void everyControlHasAName() {
        ActivatedForm activated{settings->store()};
        TFormNardel& form = *activated.form;
        for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(control))
                QVERIFY2(!QAccessible::queryAccessibleInterface(control)
                              ->text(QAccessible::Name)
                              .isEmpty(),
                         qPrintable(control->objectName()));
        }
    }

    void startsAtSpeciesLevelWithTheBareCitation() {
        TestTables tables;
        tables.importRows(flora);
        TFormNardel form(tables.folder(), clipboard, settings->store());
        QCOMPARE(form.windowTitle(), QString("Nardel"));
        QCOMPARE(form.level(), 1);
        QVERIFY(ui(form).RBspecies->isChecked());
        QCOMPARE(ui(form).LblPage->text(), QString("Valmor (2002)"));
        QCOMPARE(form.statusColour(), form.palette().color(QPalette::Button));
        QVERIFY(messages.isEmpty());
        QCOMPARE(ui(form).CBgenus->count(), 0);
    }

    // A checklist's long citation stops short of "Syn." and is read whole elsewhere.
    void longPageLabelEndsBeforeTheSynonymButton() {
        TestTables tables;
        tables.importRows(flora);
        const QString citation = "Flora of the Eastern Alps and the Carpathian Arc (2024)";
        tables.writeTable(
            "plantnames.db",
            {"INSERT OR REPLACE INTO nardel_about VALUES ('citation', '" + citation + "')"},
            QString());
        TFormNardel form(tables.folder(), clipboard, settings->store());
        form.FormActivate();
        pick(ui(form).CBgenus, "Pulsatilla");
        const QString pageLabel = citation + ": 512";
        QLabel* const label = ui(form).LblPage;
        QVERIFY2(label->geometry().right() < ui(form).BtnSyn->x(), qPrintable(label->text()));
        QVERIFY2(label->text().endsWith(u'…'), qPrintable(label->text()));
        QCOMPARE(label->toolTip(), pageLabel);
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Description),
                 pageLabel);
    }

    void firstActivationFillsTheGenusListOnce() {
        ActivatedForm activated{settings->store()};
        TFormNardel& form = *activated.form;
        QCOMPARE(entries(ui(form).CBgenus),
                 QStringList({"Dianthus", "Pulsatilla", "Salix", "Trapa"}));
        QCOMPARE(ui(form).LblGenus->text(), QString("4"));
        QCOMPARE(ui(form).CBgenus->currentIndex(), -1);
        QCOMPARE(entries(ui(form).CBspecies), QStringList({""}));
        QCOMPARE(entries(ui(form).CBsubsp), QStringList({""}));
        QCOMPARE(ui(form).LblSpecies->text(), QString());

        pick(ui(form).CBgenus, "Salix");
        form.FormActivate(); // a later activation changes nothing
        QCOMPARE(ui(form).CBgenus->currentText(), QString("Salix"));
        QCOMPARE(entries(ui(form).CBspecies), QStringList({"", "×rubens"}));
    }

    void speciesLevelRefillsTheSpeciesList() {
        ActivatedForm activated{settings->store()};
        TFormNardel& form = *activated.form;
        ui(form).RBsubsp->setChecked(true);
        pick(ui(form).CBgenus, "Pulsatilla");
        pick(ui(form).CBspecies, "pratensis");
        QCOMPARE(entries(ui(form).CBsubsp),
                 QStringList({"", "subsp. bohemica", "subsp. nigricans"}));

        ui(form).RBspecies->setChecked(true);
        pick(ui(form).CBgenus, "Dianthus");
        QCOMPARE(entries(ui(form).CBspecies), QStringList({"", "carthusianorum"}));
        QCOMPARE(ui(form).CBspecies->currentIndex(), -1);
        QCOMPARE(ui(form).LblSpecies->text(), QString("1"));
        QCOMPARE(entries(ui(form).CBsubsp), QStringList({""}));
        QCOMPARE(ui(form).LblSubsp->text(), QString());
        QCOMPARE(form.statusText(), QString("Dianthus"));
        QCOMPARE(ui(form).LblPage->text(), QString("Valmor (2002): 210"));

        // At the species level a species pick leaves the subspecies list alone.
        pick(ui(form).CBspecies, "carthusianorum");
        QCOMPARE(entries(ui(form).CBsubsp), QStringList({""}));
        QCOMPARE(form.statusText(), QString("Dianthus carthusianorum"));
        QCOMPARE(ui(form).LblPage->text(), QString("Valmor (2002): 210/211"));
    }

    void genusLevelKeepsTheLowerLists() {
        ActivatedForm activated{settings->store()};
        TFormNardel& form = *activated.form;
        ui(form).RBsubsp->setChecked(true);
        pick(ui(form).CBgenus, "Pulsatilla");
        pick(ui(form).CBspecies, "pratensis");
        pick(ui(form).CBsubsp, "subsp. nigricans");

        ui(form).RBgenus->setChecked(true);
        QCOMPARE(form.level(), 0);
        QCOMPARE(form.statusText(), QString("Pulsatilla pratensis subsp. nigricans"));
        pick(ui(form).CBgenus, "Salix");
        QCOMPARE(form.statusText(), QString("Salix"));
        QCOMPARE(ui(form).CBspecies->currentText(), QString("pratensis"));
        QCOMPARE(ui(form).CBsubsp->currentText(), QString("subsp. nigricans"));
        QCOMPARE(ui(form).LblSpecies->text(), QString("3"));
        QCOMPARE(ui(form).LblSubsp->text(), QString("2"));

        // A change of level refills nothing until the list above changes.
        ui(form).RBspecies->setChecked(true);
        QCOMPARE(ui(form).CBspecies->currentText(), QString("pratensis"));
        pick(ui(form).CBgenus, "Salix");
        QCOMPARE(entries(ui(form).CBspecies), QStringList({"", "×rubens"}));
    }

    void subspeciesLevelCascades() {
        ActivatedForm activated{settings->store()};
        TFormNardel& form = *activated.form;
        ui(form).RBsubsp->setChecked(true);
        ui(form).CBauthor->setChecked(true);
        pick(ui(form).CBgenus, "Pulsatilla");
        pick(ui(form).CBspecies, "pratensis");
        QCOMPARE(ui(form).LblSubsp->text(), QString("2"));
        QCOMPARE(form.statusText(), QString("Pulsatilla pratensis (L.) Mill."));
        pick(ui(form).CBsubsp, "subsp. bohemica");
        QCOMPARE(form.statusText(),
                 QString("Pulsatilla pratensis (L.) Mill. subsp. bohemica Skalický"));
        QCOMPARE(ui(form).LblPage->text(), QString("Valmor (2002): 512/513/514"));

        // The blank species entry empties the subspecies list and its count.
        pick(ui(form).CBspecies, "");
        QCOMPARE(entries(ui(form).CBsubsp), QStringList({""}));
        QCOMPARE(ui(form).LblSubsp->text(), QString());
        QCOMPARE(form.statusText(), QString("Pulsatilla "));

        pick(ui(form).CBgenus, "Dianthus");
        pick(ui(form).CBspecies, "carthusianorum");
        pick(ui(form).CBsubsp, "subsp. carthusianorum");
        QCOMPARE(form.statusText(), QString("Dianthus carthusianorum L. subsp. carthusianorum"));
    }

    void genusWithoutSpeciesCountsZero() {
        ActivatedForm activated{settings->store()};
        TFormNardel& form = *activated.form;
        pick(ui(form).CBgenus, "Trapa");
        QCOMPARE(entries(ui(form).CBspecies), QStringList({""}));
        QCOMPARE(ui(form).LblSpecies->text(), QString("0"));
    }

    void radioButtonsSetOnlyTheLevel() {
        ActivatedForm activated{settings->store()};
        TFormNardel& form = *activated.form;
        pick(ui(form).CBgenus, "Salix");
        const QString shown = form.statusText();
        const QString pageLabel = ui(form).LblPage->text();
        QTest::mouseClick(ui(form).RBsubsp, Qt::LeftButton);
        QCOMPARE(form.level(), 2);
        QTest::mouseClick(ui(form).RBgenus, Qt::LeftButton);
        QCOMPARE(form.level(), 0);
        QCOMPARE(form.statusText(), shown);
        QCOMPARE(ui(form).LblPage->text(), pageLabel);
    }

    void missingNameTableLeavesAnEmptyUsableWindow() {
        TestTables tables;
        TFormNardel form(tables.folder(), clipboard, settings->store(),
                         {tables.folder(), "/usr/share/nardel"});
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].kind, MessageBox::Kind::Error);
        QCOMPARE(messages[0].title, QString("Error"));
        QVERIFY(messages[0].text.startsWith("Data source for Nardel is not available\r\n[" +
                                            tables.folder() + "/plantnames.db]\r\n"));
        QVERIFY(messages[0].text.contains("\r\n/usr/share/nardel\r\n"));
        form.FormActivate();
        QCOMPARE(ui(form).CBgenus->count(), 0);
        QCOMPARE(ui(form).LblPage->text(), QString());
        QCOMPARE(form.statusText(), QString("Data source for Nardel is not available"));
        QCOMPARE(messages.size(), 1);
        // The tools say what to do about the tables they cannot read.
        ui(form).BtnEdit->trigger();
        ui(form).BtnSyn->click();
        form.findChild<QWidget*>("FormSyns")->findChild<QPushButton*>("BtnFind")->click();
        QCOMPARE(messages.size(), 3);
        for (const auto& message : messages.mid(1))
            QVERIFY2(message.text.contains("nardel-import") && message.text.contains("--tables"),
                     qPrintable(message.text));
    }

    void lockedNameTableIsReportedAndTheWindowGoesOn() {
        TestTables tables;
        tables.writeTable("plantnames.db",
                          {R"(CREATE TABLE "plantnames.db" (LEVEL_ INTEGER, GENUS TEXT))"},
                          "another password");
        TFormNardel form(tables.folder(), clipboard, settings->store());
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.contains(tables.path("plantnames.db")));
        QVERIFY(messages[0].text.contains("jiným heslem"));
        form.FormActivate();
        QCOMPARE(ui(form).CBgenus->count(), 0);
        QCOMPARE(form.statusText(), QString("Data source for Nardel is not available"));
    }

    // A damaged row ends the pick in the error box; the lists keep their blank entries, and
    // nothing of the list before nor of the rows read before the damaged one.
    void engineErrorDuringAPickIsShownAndThePickerGoesOn() {
        TestTables tables;
        writeNamesWithAnyPage(tables, R"((0, 'Abies', '', '', '', '', 10),
            (1, 'Abies', 'alba', '', 'Mill.', '', 14), (1, 'Abies', 'nordmanniana', '', '', '', 'xi'),
            (0, 'Larix', '', '', '', '', 12), (1, 'Larix', 'decidua', '', 'Mill.', '', 13))");
        TFormNardel form(tables.folder(), clipboard, settings->store());
        form.FormActivate();
        pick(ui(form).CBgenus, "Larix");
        QVERIFY(messages.isEmpty());
        pick(ui(form).CBgenus, "Abies");
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.contains(tables.path("plantnames.db")));
        QCOMPARE(entries(ui(form).CBspecies), QStringList({""}));
        QCOMPARE(ui(form).LblSpecies->text(), QString());
        pick(ui(form).CBgenus, "Larix");
        QCOMPARE(entries(ui(form).CBspecies), QStringList({"", "decidua"}));
        QCOMPARE(ui(form).LblSpecies->text(), QString("1"));
        QCOMPARE(form.statusText(), QString("Larix"));
    }

    // The genus list read ahead while the window came up: a damaged row is reported once, at
    // the first fill, as a read on the window's own connection would be; the list stays blank.
    void damagedGenusRowIsReportedAtTheFirstFill() {
        TestTables tables;
        writeNamesWithAnyPage(
            tables, "(0, 'Abies', '', '', '', '', 10), (0, 'Larix', '', '', '', '', 'xii')");
        TFormNardel form(tables.folder(), clipboard, settings->store());
        QVERIFY(messages.isEmpty());
        MessageBox::runAction(&form, [&] { form.FormActivate(); });
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.contains(tables.path("plantnames.db")));
        QVERIFY(messages[0].text.contains("xii"));
        QCOMPARE(ui(form).CBgenus->count(), 0);
        QCOMPARE(ui(form).LblGenus->text(), QString());
    }
};

QTEST_MAIN(TestFormNardel)
#include "tst_formnardel.moc"
