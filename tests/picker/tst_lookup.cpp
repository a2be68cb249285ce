#include "support/FakeClipboard.h"
#include "support/PickerTestBed.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

const QStringList rows = {
    "0\tAbies\t\t\t\t\t50\t1",
    "1\tAbies\talba\t\tMill.\t\t51\t2",
    "0\tPicea\t\t\t\t\t538\t3",
    "1\tPicea\tabies\t\t(L.) H.Karst.\t\t539\t4",
    "2\tPicea\tabies\tsubsp. obovata\t\t(Ledeb.) Hultén\t539\t5",
    "1\tPicea\tomorika\t\t(Pančić) Purk.\t\t540\t6",
    "0\tPinus\t\t\t\t\t541\t7",
    "1\tPinus\tabies\t\tL.\t\t542\t8",
};

} // namespace

class TestLookup : public QObject {
    Q_OBJECT

    PickerTestBed bed{rows, {"Picea excelsa\t4", "Abies pectinata\t2"}};
    FakeClipboard clipboard;

    static QString selected(const TFormNardel& form) {
        return ui(form).CBgenus->currentText() + '|' + ui(form).CBspecies->currentText() + '|' +
               ui(form).CBsubsp->currentText();
    }

private slots:
    void init() {
        bed.reset();
        clipboard = FakeClipboard();
    }

    void copiedTextSelectsGenusAndSpecies_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selection");
        QTest::newRow("two words") << 1 << "\tPicea abies\r\n"
                                   << "Picea|abies|";
        QTest::newRow("beginnings") << 1 << "Pic om"
                                    << "Picea|omorika|";
        // Two spaces leave an empty species word: the species list stays as the genus left it.
        QTest::newRow("two spaces") << 1 << "Picea  abies"
                                    << "Picea||";
        QTest::newRow("subspecies ignored") << 2 << "Picea abies subsp. obovata"
                                            << "Picea|abies|";
        QTest::newRow("no such genus: the next") << 1 << "Pia"
                                                 << "Picea||";
        QTest::newRow("after every genus") << 1 << "picea abies"
                                           << "||";
        // At the genus level the species list is not refilled: the species step finds
        // nothing in the blank list as it stood.
        QTest::newRow("genus level") << 0 << "Picea abies"
                                     << "Picea||";
    }
    void copiedTextSelectsGenusAndSpecies() {
        QFETCH(int, level);
        QFETCH(QString, text);
        QFETCH(QString, selection);
        auto form = bed.activatedForm(&clipboard);
        QRadioButton* const levels[] = {ui(*form).RBgenus, ui(*form).RBspecies, ui(*form).RBsubsp};
        levels[level]->setChecked(true);
        clipboard.copyFromOtherProgram(text);
        QVERIFY(form->watchingClipboard());
        tickWatch(*form);
        QCOMPARE(selected(*form), selection);
    }

    // With the smart lookup on, a copied text is read as a botanist writes a name.
    void smartLookupReadsTheNameWhole_data() {
        QTest::addColumn<QString>("shown"); // the genus selected before the copy
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("status"); // empty: the selected name's own
        QTest::newRow("abbreviated genus, the one shown") << "Pinus" << 1 << "P. abies"
                                                          << "Pinus|abies|"
                                                          << "";
        QTest::newRow("abbreviated genus, the one of its letter that holds it")
            << "Abies" << 1 << "P. omorika"
            << "Picea|omorika|"
            << "";
        QTest::newRow("abbreviated genus, two of its letter hold it") << "Abies" << 1 << "P. abies"
                                                                      << "Abies||"
                                                                      << "nenalezeno";
        QTest::newRow("authors and rank")
            << "" << 2 << "Picea abies (L.) H.Karst. subsp. obovata (Ledeb.) Hultén"
            << "Picea|abies|subsp. obovata"
            << "";
        QTest::newRow("rank without its dot") << "" << 2 << "Picea abies ssp obovata"
                                              << "Picea|abies|subsp. obovata"
                                              << "";
        QTest::newRow("below the output level") << "" << 1 << "Picea abies subsp. obovata"
                                                << "Picea|abies|"
                                                << "";
        QTest::newRow("synonym") << "" << 1 << "Picea excelsa (Lam.) Link"
                                 << "Picea|abies|"
                                 << "Picea excelsa → Picea abies";
        QTest::newRow("not in the tables") << "" << 1 << "Picea glauca (Moench) Voss"
                                           << "||"
                                           << "nenalezeno";
        QTest::newRow("abbreviation of no genus") << "" << 1 << "Q. robur"
                                                  << "||"
                                                  << "nenalezeno";
        QTest::newRow("no name") << "" << 1 << "picea abies"
                                 << "||"
                                 << "";
    }
    void smartLookupReadsTheNameWhole() {
        QFETCH(QString, shown);
        QFETCH(int, level);
        QFETCH(QString, text);
        QFETCH(QString, selection);
        QFETCH(QString, status);
        auto form = bed.activatedForm(&clipboard);
        QRadioButton* const levels[] = {ui(*form).RBgenus, ui(*form).RBspecies, ui(*form).RBsubsp};
        levels[level]->setChecked(true);
        ui(*form).CBsmart->trigger();
        if (!shown.isEmpty())
            form->SelectName(0, shown, QString(), QString());
        const QString statusBefore = form->statusText();
        clipboard.copyFromOtherProgram(text);
        tickWatch(*form);
        QCOMPARE(selected(*form), selection);
        if (!status.isEmpty())
            QCOMPARE(form->statusText(), status);
        else if (selection == "||")
            QCOMPARE(form->statusText(), statusBefore);
    }

    void watchLeavesOwnCopiesRepeatsAndPictures() {
        auto form = bed.activatedForm(&clipboard);
        clipboard.copyFromOtherProgram("Abies alba");
        tickWatch(*form);
        QCOMPARE(selected(*form), QString("Abies|alba|"));

        // The same text again is seen already, even with the selection changed meanwhile;
        // Alt-F looks it up all the same.
        form->SelectName(1, "Picea", "abies", QString());
        tickWatch(*form);
        QCOMPARE(selected(*form), QString("Picea|abies|"));
        findCopiedName(*form);
        QCOMPARE(selected(*form), QString("Abies|alba|"));

        // With automatic copying on, the lookup copies, and its own copy is never looked up.
        ui(*form).CBauto->trigger();
        clipboard.copyFromOtherProgram("Picea omorika");
        tickWatch(*form);
        QCOMPARE(clipboard.text(), QString("Picea omorika"));
        QVERIFY(clipboard.isOwnContent());
        form->SelectName(0, "Pinus", QString(), QString());
        findCopiedName(*form);
        QCOMPARE(selected(*form), QString("Pinus||"));

        clipboard.copyPictureFromOtherProgram();
        findCopiedName(*form);
        QCOMPARE(selected(*form), QString("Pinus||"));
    }

    // Many desktops run a clipboard manager, which takes over every copy as text alone.
    void copyTakenOverByAClipboardManagerIsLeftAlone() {
        auto form = bed.activatedForm(&clipboard);
        ui(*form).RBsubsp->setChecked(true);
        ui(*form).CBauto->trigger();
        form->SelectName(2, "Picea", "abies", "subsp. obovata");
        const QString copied = clipboard.text();
        QCOMPARE(copied, QString("Picea abies subsp. obovata"));
        clipboard.takeOverByClipboardManager();
        QVERIFY(!clipboard.isOwnContent());
        tickWatch(*form);
        QCOMPARE(selected(*form), QString("Picea|abies|subsp. obovata"));
        QCOMPARE(clipboard.text(), copied);
    }

    void givenNameIsSelectedWhole_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("name");
        QTest::addColumn<QString>("selection");
        QTest::newRow("letter case ignored")
            << 2 << QStringList{"PICEA", "Abies", "subsp. OBOVATA"} << "Picea|abies|subsp. obovata";
        QTest::newRow("species level")
            << 1 << QStringList{"Picea", "omorika", "x"} << "Picea|omorika|";
        QTest::newRow("no beginnings") << 1 << QStringList{"Pice", "abies", ""} << "||";
        QTest::newRow("unknown species") << 2 << QStringList{"Picea", "excelsa", "x"} << "Picea||";
    }
    void givenNameIsSelectedWhole() {
        QFETCH(int, level);
        QFETCH(QStringList, name);
        QFETCH(QString, selection);
        auto form = bed.activatedForm(&clipboard);
        ui(*form).RBsubsp->setChecked(true);
        form->SelectName(level, name[0], name[1], name[2]);
        QCOMPARE(selected(*form), selection);
    }

    // What the user does in the window once the watch is on, and whether it stays on: the
    // buttons to other windows, "Syn." and "Volby", leave it on.
    void watchStopsWhileTheUserWorksInTheWindow_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("click");
        QTest::addColumn<bool>("watching");
        QTest::newRow("focus in a list") << "CBspecies" << false << false;
        QTest::newRow("focus on Syn.") << "BtnSyn" << false << true;
        QTest::newRow("focus on Volby") << "BtnMenu" << false << true;
        QTest::newRow("Volby clicked, its menu open") << "BtnMenu" << true << true;
        QTest::newRow("click on a count label") << "LblGenus" << true << false;
    }
    void watchStopsWhileTheUserWorksInTheWindow() {
        QFETCH(QString, control);
        QFETCH(bool, click);
        QFETCH(bool, watching);
        auto form = bed.activatedForm(&clipboard);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(form.get(), &deactivate);
        QVERIFY(form->watchingClipboard());
        // A name copied elsewhere is looked up within a fifth of a second.
        QCOMPARE(form->findChild<QTimer*>("Timer1")->interval(), 200);
        auto* widget = form->findChild<QWidget*>(control);
        QVERIFY(widget && !widget->hasFocus());
        if (click)
            QTest::mouseClick(widget, Qt::LeftButton);
        else
            widget->setFocus(Qt::TabFocusReason);
        QCOMPARE(form->watchingClipboard(), watching);
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    }

    // The info window at every start, and any other window, hands the activation back to the
    // main window, and Qt the focus back to its list: the user has not come back to work.
    void watchStaysOnWhenTheWindowIsActiveAgain() {
        auto form = bed.activatedForm(&clipboard);
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        ui(*form).CBspecies->setFocus(Qt::TabFocusReason);
        QVERIFY(!form->watchingClipboard());
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(form->watchingClipboard());
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QVERIFY(ui(*form).CBspecies->hasFocus());
        QVERIFY(form->watchingClipboard());
    }
};

QTEST_MAIN(TestLookup)
#include "tst_lookup.moc"
