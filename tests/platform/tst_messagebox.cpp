#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// A question as the user meets it: a box with "Ano" and "Ne", where closing it says no.
class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void questionIsAnsweredAnoOrNe_data() {
        QTest::addColumn<QString>("press");
        QTest::addColumn<bool>("answer");
        QTest::newRow("Ano") << "&Ano" << true;
        QTest::newRow("Ne") << "&Ne" << false;
        QTest::newRow("Escape") << "Escape" << false;
    }

    void questionIsAnsweredAnoOrNe() {
        QFETCH(QString, press);
        QFETCH(bool, answer);
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton* button : box->buttons()) {
                buttons.append(button->text());
                if (button->text() == press)
                    button->click();
            }
            if (press == "Escape")
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(MessageBox::ask(nullptr, "Confirm", "Zkopírovat?"), answer);
        buttons.sort();
        QCOMPARE(buttons, QStringList({"&Ano", "&Ne"}));
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
