#include "support/FakeClipboard.h"
#include "support/ListPick.h"
#include "support/PickerTestBed.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QStringList rows = {
    "0\tAbies\t\t\t\t\t50\t1",
    "1\tAbies\talba\t\tMill.\t\t51\t2",
    "0\tGalium\t\t\t\t\t300\t3",
    "0\tPicea\t\t\t\t\t538\t4",
    "1\tPicea\tabies\t\t(L.) H.Karst.\t\t539\t5",
    "0\tSalix\t\t\t\t\t90\t6",
};

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

    PickerTestBed bed{rows};
    FakeClipboard clipboard;
    std::unique_ptr<TFormNardel> form;

private slots:
    void init() {
        bed.reset();
        clipboard = FakeClipboard();
        form = bed.activatedForm(&clipboard);
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        pick(ui(*form).CBgenus, "Picea");
        pick(ui(*form).CBspecies, "abies");
        ui(*form).CBgenus->setFocus();
    }
    void cleanup() { form.reset(); }

    void keysActAndNeverReachTheLists_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("copied");
        const auto ctrl = Qt::KeyboardModifiers(Qt::ControlModifier);
        const auto alt = Qt::KeyboardModifiers(Qt::AltModifier);
        QTest::newRow("Ctrl-S") << int(Qt::Key_S) << ctrl << "CBspecies" << 1 << "";
        QTest::newRow("Ctrl-U") << int(Qt::Key_U) << ctrl << "CBsubsp" << 1 << "";
        QTest::newRow("Ctrl-I") << int(Qt::Key_I) << ctrl << "BtnInsert" << 1 << "";
        QTest::newRow("Ctrl-N") << int(Qt::Key_N) << ctrl << "BtnSyn" << 1 << "";
        QTest::newRow("Ctrl-F never moves") << int(Qt::Key_F) << ctrl << "CBgenus" << 1 << "";
        QTest::newRow("Ctrl-Shift-S")
            << int(Qt::Key_S) << (ctrl | Qt::ShiftModifier) << "CBspecies" << 1 << "";
        QTest::newRow("Alt-G") << int(Qt::Key_G) << alt << "CBgenus" << 0 << "";
        QTest::newRow("Alt-U") << int(Qt::Key_U) << alt << "CBgenus" << 2 << "";
        QTest::newRow("Alt-I copies") << int(Qt::Key_I) << alt << "CBgenus" << 1 << "Picea abies";
        QTest::newRow("Ctrl-Alt runs the Ctrl action only")
            << int(Qt::Key_G) << (ctrl | alt) << "CBgenus" << 1 << "";
        QTest::newRow("Ctrl-Alt-U") << int(Qt::Key_U) << (ctrl | alt) << "CBsubsp" << 1 << "";
        QTest::newRow("Ctrl-C") << int(Qt::Key_C) << ctrl << "CBgenus" << 1 << "";
        QTest::newRow("Alt-F4") << int(Qt::Key_F4) << alt << "CBgenus" << 1 << "";
        QTest::newRow("Alt-A") << int(Qt::Key_A) << alt << "CBgenus" << 1 << "";
    }
    void keysActAndNeverReachTheLists() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, focus);
        QFETCH(int, level);
        QFETCH(QString, copied);
        // The letter's own character, as a keyboard sends it, must not select "Abies",
        // "Galium" or "Salix" in the focused genus list.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(form->level(), level);
        QCOMPARE(clipboard.text(), copied);
        QCOMPARE(ui(*form).CBgenus->currentText(), QString("Picea"));
        QVERIFY(form->isVisible());
    }

    // The user opened the genus list; the keys go to its popup.
    void keysActInAnOpenList_data() { keysActAndNeverReachTheLists_data(); }
    void keysActInAnOpenList() {
        ui(*form).CBgenus->showPopup();
        QVERIFY(QApplication::activePopupWidget());
        keysActAndNeverReachTheLists();
        QVERIFY(!QApplication::activePopupWidget());
    }

    void hiddenCopyButtonTakesNoFocusButAltICopies() {
        ui(*form).CBauto->trigger();
        QTest::keyClick(ui(*form).CBgenus, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), ui(*form).CBgenus);
        QTest::keyClick(ui(*form).CBgenus, Qt::Key_I, Qt::AltModifier);
        QCOMPARE(clipboard.text(), QString("Picea abies"));
    }

    void plainLetterSelectsByTyping() {
        QTest::keyClick(ui(*form).CBgenus, Qt::Key_S);
        QCOMPARE(ui(*form).CBgenus->currentText(), QString("Salix"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
