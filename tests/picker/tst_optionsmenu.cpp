#include "shell/FInfo.h"
#include "support/PickerTestBed.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QStringList rows = {
    "0\tPicea\t\t\t\t\t77\t1",
    "1\tPicea\tabies\t\t(L.) H.Karst.\t\t77\t2",
};

// The values that a closing window leaves in the key, in the order it writes them.
const QStringList closingValues = {"FormTop",   "FormLeft",    "FormHeight", "FormWidth",  "Level",
                                   "AddAuthor", "AutoClipbrd", "Formated",   "SmartLookup"};

} // namespace

class TestOptionsMenu : public QObject {
    Q_OBJECT

    PickerTestBed bed{rows};

    // The value as a second copy of the program reads it from the key.
    static qint32 storedInteger(const QString& name) {
        SettingsStore store;
        store.openProgramKey(VersionRecord::program());
        TFormInfo reader(store);
        qint32 value;
        return reader.ReadSettingInt(name, value) ? value : INT_MIN;
    }

private slots:
    void init() { bed.reset(); }

    void menuHoldsItsItemsInOrder() {
        TFormNardel form(bed.folder(), bed.clipboard(), bed.store());
        QStringList items;
        for (const QAction* item : ui(form).PopupMenu->actions())
            items.append(item->objectName() + ":" + item->text() +
                         (item->isCheckable() ? ":tick" : ""));
        QCOMPARE(items, QStringList({"CBauthor:Včet&ně jmen autorů:tick",
                                     "CBauto:&Automaticky do schránky:tick",
                                     "CBformated:&Formátovaný výstup:tick",
                                     "BtnFormat1:&Základní font", "CBsmart:&Chytré hledání:tick",
                                     "N1:", "BtnDICgenerate:&Uživatelský slovník MS Office",
                                     "BtnEdit:&Editace dat", "BtnTextCheck:&Kontrola textu",
                                     "N2:", "StandardForm:&Obnova okna"}));
        QVERIFY(ui(form).PopupMenu->actions()[5]->isSeparator());
        QVERIFY(ui(form).BtnEdit->isVisible());
    }

    void baseFontItemFollowsFormattedOutput() {
        auto form = bed.activatedForm();
        ui(*form).BtnMenu->click();
        QVERIFY(ui(*form).PopupMenu->isVisible());
        QCOMPARE(ui(*form).PopupMenu->pos(), ui(*form).BtnMenu->mapToGlobal(QPoint(0, 0)));
        QVERIFY(!ui(*form).BtnFormat1->isEnabled());
        ui(*form).PopupMenu->hide();

        ui(*form).CBformated->trigger();
        ui(*form).BtnMenu->click();
        QVERIFY(ui(*form).BtnFormat1->isEnabled());
        ui(*form).PopupMenu->hide();
        ui(*form).CBformated->trigger();
        ui(*form).BtnMenu->click();
        QVERIFY(!ui(*form).BtnFormat1->isEnabled());
        ui(*form).PopupMenu->hide();
    }

    void rightClickOpensNoMenu() {
        auto form = bed.activatedForm();
        form->show();
        for (QWidget* target :
             {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(ui(*form).CBgenus),
              static_cast<QWidget*>(ui(*form).BtnMenu)}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                    target->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(target, &event);
            QCOMPARE(QApplication::activePopupWidget(), nullptr);
        }
    }

    void firstActivationRestoresTheOptions_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("authors");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<bool>("formatted");
        QTest::addColumn<bool>("smart");

        QTest::newRow("nothing stored") << QStringList() << 1 << false << false << false << false;
        QTest::newRow("subspecies")
            << QStringList{"\"Level\"=dword:00000002"} << 2 << false << false << false << false;
        QTest::newRow("genus") << QStringList{"\"Level\"=dword:00000000"} << 0 << false << false
                               << false << false;
        QTest::newRow("level 5 is the genus")
            << QStringList{"\"Level\"=dword:00000005"} << 0 << false << false << false << false;
        QTest::newRow("level -1 is the genus")
            << QStringList{"\"Level\"=dword:ffffffff"} << 0 << false << false << false << false;
        QTest::newRow("level stored as text")
            << QStringList{"\"Level\"=\"2\""} << 1 << false << false << false << false;
        QTest::newRow("all options on")
            << QStringList{"\"AddAuthor\"=dword:00000007", "\"AutoClipbrd\"=dword:00000001",
                           "\"Formated\"=dword:00000001", "\"SmartLookup\"=dword:00000001"}
            << 1 << true << true << true << true;
        QTest::newRow("options stored off")
            << QStringList{"\"AddAuthor\"=dword:00000000", "\"AutoClipbrd\"=dword:00000000",
                           "\"Formated\"=dword:00000000"}
            << 1 << false << false << false << false;
        QTest::newRow("options stored as text")
            << QStringList{"\"AddAuthor\"=\"1\"", "\"AutoClipbrd\"=\"1\"", "\"Formated\"=\"1\""}
            << 1 << false << false << false << false;
    }
    void firstActivationRestoresTheOptions() {
        QFETCH(QStringList, stored);
        QFETCH(int, level);
        QFETCH(bool, authors);
        QFETCH(bool, automatic);
        QFETCH(bool, formatted);
        QFETCH(bool, smart);
        bed.settings().writeKey(stored);
        const int shownBefore = bed.infoWindowShown();
        auto form = bed.activatedForm();

        QCOMPARE(bed.infoWindowShown(), shownBefore + 1);
        QCOMPARE(form->windowTitle(), QString("Nardel Pro"));
        QCOMPARE(form->level(), level);
        const QList<QRadioButton*> buttons = {ui(*form).RBgenus, ui(*form).RBspecies,
                                              ui(*form).RBsubsp};
        QVERIFY(buttons[level]->isChecked());
        QCOMPARE(ui(*form).CBauthor->isChecked(), authors);
        QCOMPARE(ui(*form).CBauto->isChecked(), automatic);
        QCOMPARE(ui(*form).BtnInsert->isHidden(), automatic);
        QCOMPARE(ui(*form).CBformated->isChecked(), formatted);
        QCOMPARE(ui(*form).CBsmart->isChecked(), smart);
        ui(*form).BtnMenu->click();
        QCOMPARE(ui(*form).BtnFormat1->isEnabled(), formatted);
        ui(*form).PopupMenu->hide();
        QCOMPARE(ui(*form).CBgenus->count(), 1);
    }

    void closingWritesPlaceAndOptionsInOrder() {
        auto form = bed.activatedForm();
        ui(*form).RBsubsp->setChecked(true);
        ui(*form).CBauthor->trigger();
        ui(*form).CBauto->trigger();
        form->move(300, 200);
        form->show();
        form->close();

        const QByteArray key = bed.settings().keyBytes();
        qsizetype previous = -1;
        for (const QString& name : closingValues) {
            const qsizetype at = key.indexOf("\"" + name.toUtf8() + "\"=dword:");
            QVERIFY2(at > previous, qPrintable(name));
            previous = at;
        }
        QCOMPARE(storedInteger("FormTop"), 200);
        QCOMPARE(storedInteger("FormLeft"), 300);
        // Outer sizes: with the frame that the window system gives the shown window.
        QCOMPARE(storedInteger("FormHeight"), form->frameGeometry().height());
        QCOMPARE(storedInteger("FormWidth"), form->frameGeometry().width());
        QCOMPARE(storedInteger("Level"), 2);
        QCOMPARE(storedInteger("AddAuthor"), 1);
        QCOMPARE(storedInteger("AutoClipbrd"), 1);
        QCOMPARE(storedInteger("Formated"), 0);
        QVERIFY(bed.messages().isEmpty());
    }

    // The next start takes back what the last close left.
    void closedOptionsComeBackAtTheNextStart() {
        {
            auto form = bed.activatedForm();
            ui(*form).RBgenus->setChecked(true);
            ui(*form).CBformated->trigger();
            form->move(120, 90);
            form->show();
            form->close();
        }
        auto form = bed.activatedForm();
        QCOMPARE(form->level(), 0);
        QVERIFY(ui(*form).CBformated->isChecked());
        QVERIFY(!ui(*form).CBauthor->isChecked());
        QCOMPARE(form->pos(), QPoint(120, 90));
    }

    void refusedSettingsAreReportedAndTheWindowStillCloses() {
        // A folder where the key's file belongs: the key can be neither opened nor created.
        QVERIFY(QDir().mkpath(bed.settings().keyFile()));
        auto form = bed.activatedForm();
        QCOMPARE(form->level(), 1);
        form->show();
        QVERIFY(form->close());
        QVERIFY(!form->isVisible());
        QCOMPARE(bed.messages().size(), 1);
        // What was lost, then the cause: what stands in the key file's place.
        const QString message = bed.messages()[0];
        QVERIFY2(message.startsWith("Volby a umístění okna se neuložily.\n") &&
                     message.contains(bed.settings().keyFile() + " je složka"),
                 qPrintable(message));
        QVERIFY(QFileInfo(bed.settings().keyFile()).isDir());
    }

    void standardWindowUndoesMaximizing() {
        auto form = bed.activatedForm();
        form->show();
        form->setWindowState(Qt::WindowMaximized);
        form->move(400, 300);
        ui(*form).StandardForm->trigger();
        QVERIFY(!form->isMaximized());
        // The client area as designed, whatever frame the platform draws around it.
        QVERIFY(form->frameGeometry().size() != QSize(472, 128));
        QCOMPARE(form->size(), QSize(464, 101));
        QCOMPARE(form->frameGeometry().topLeft(), QPoint(10, 10));
    }
};

QTEST_MAIN(TestOptionsMenu)
#include "tst_optionsmenu.moc"
