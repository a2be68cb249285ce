#include "platform/Clipboard.h"
#include "support/ListPick.h"
#include "support/PickerTestBed.h"
#include "support/RichTextReader.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <cmath>

namespace {

const QStringList rows = {
    "0\tPicea\t\t\t\t\t538\t1",
    "1\tPicea\tabies\t\t(L.) H.Karst.\t\t539\t2",
    "2\tPicea\tabies\tsubsp. obovata\t\t(Ledeb.) Hultén\t539\t3",
    "0\tSalix\t\t\t\t\t90\t4",
    "1\tSalix\t×rubens\t\tSchrank\t\t95\t5",
    "0\tHieracium\t\t\t\t\t400\t6",
    "1\tHieracium\tschmidtii\t\tTausch ex Schultz-Bipontinus et Nägeli et Peter et Zahn in "
    "Ascherson et Graebner\t\t401\t7",
};

const QColor copiedGreen(0, 128, 0);
const QString fullName = "Picea abies (L.) H.Karst. subsp. obovata (Ledeb.) Hultén";
const QString fullMarkup = "/Picea abies /(L.) H.Karst. subsp./ obovata /(Ledeb.) Hultén";

const QMimeData* clipboard() {
    return QGuiApplication::clipboard()->mimeData();
}

QByteArray clipboardRtf() {
    return clipboard()->data("text/rtf");
}

// Answers the next font dialog with `font`, or cancels it when `font` is empty.
void answerFontDialog(std::optional<QFont> font, QFont* offered = nullptr) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (offered)
            *offered = dialog->currentFont();
        if (font) {
            dialog->setCurrentFont(*font);
            dialog->accept();
        } else {
            dialog->reject();
        }
        timer->deleteLater();
    });
    timer->start(5);
}

} // namespace

class TestCopy : public QObject {
    Q_OBJECT

    PickerTestBed bed{rows};

    // Picks Picea abies subsp. obovata at the subspecies level with authors.
    static void pickFullName(TFormNardel& form) {
        ui(form).RBsubsp->setChecked(true);
        if (!ui(form).CBauthor->isChecked())
            ui(form).CBauthor->trigger();
        pick(ui(form).CBgenus, "Picea");
        pick(ui(form).CBspecies, "abies");
        pick(ui(form).CBsubsp, "subsp. obovata");
    }

private slots:
    void init() {
        bed.reset();
        QGuiApplication::clipboard()->setText("before");
    }
    void cleanup() { QVERIFY(bed.messages().isEmpty()); }

    void plainCopyIsTheComposedName() {
        auto form = bed.activatedForm();
        pickFullName(*form);
        QCOMPARE(clipboard()->text(), QString("before"));
        QVERIFY(form->statusColour() != copiedGreen);

        ui(*form).BtnInsert->click();
        QCOMPARE(clipboard()->text(), fullName);
        QCOMPARE(clipboard()->data(Clipboard::ownerFormat),
                 QByteArray::number(QCoreApplication::applicationPid()));
        QVERIFY(!clipboard()->hasFormat("text/rtf"));
        QCOMPARE(form->statusColour(), copiedGreen);

        // The copy is at the output level, whatever list changed last.
        ui(*form).RBgenus->setChecked(true);
        ui(*form).BtnInsert->click();
        QCOMPARE(clipboard()->text(), QString("Picea"));
    }

    void ownCopiesAreKnownAgain() {
        auto form = bed.activatedForm();
        QVERIFY(!bed.clipboard().isOwnContent());
        pickFullName(*form);
        ui(*form).BtnInsert->click();
        QVERIFY(bed.clipboard().isOwnContent());
        ui(*form).CBformated->trigger();
        ui(*form).BtnInsert->click();
        QVERIFY(bed.clipboard().isOwnContent());
        // Another copy of the program marks its copies with its own process id.
        auto* other = new QMimeData;
        other->setText(fullName);
        other->setData(Clipboard::ownerFormat, "1");
        QGuiApplication::clipboard()->setMimeData(other);
        QVERIFY(!bed.clipboard().isOwnContent());
    }

    void statusLineShowsLongNamesAndTheCopiedStateToEveryone() {
        auto form = bed.activatedForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        ui(*form).CBauthor->trigger();
        pick(ui(*form).CBgenus, "Hieracium");
        pick(ui(*form).CBspecies, "schmidtii");
        QLabel* panel = ui(*form).StatusPanel;
        QVERIFY(panel->text().endsWith(u'…'));
        QCOMPARE(panel->toolTip(), form->statusText());
        QVERIFY(form->statusText().endsWith("Graebner"));
        QCOMPARE(panel->accessibleDescription(), form->statusText());

        ui(*form).BtnInsert->click();
        QCOMPARE(ui(*form).StatusBar->accessibleDescription(), QString("Zkopírováno"));
        // WCAG's contrast of the text on the green: at least 4.5 : 1.
        const auto luminance = [](const QColor& colour) {
            const auto channel = [](double c) {
                return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
                   0.0722 * channel(colour.blueF());
        };
        const QPalette colours = ui(*form).StatusBar->palette();
        const double text = luminance(colours.color(QPalette::WindowText));
        const double back = luminance(colours.color(QPalette::Window));
        QVERIFY((std::max(text, back) + 0.05) / (std::min(text, back) + 0.05) >= 4.5);
    }

    // Without a genus there is no name: the user's clipboard stays as it was.
    void copyWithoutGenusLeavesTheClipboard_data() {
        QTest::addColumn<bool>("formatted");
        QTest::newRow("plain") << false;
        QTest::newRow("formatted") << true;
    }
    void copyWithoutGenusLeavesTheClipboard() {
        QFETCH(bool, formatted);
        auto form = bed.activatedForm();
        if (formatted)
            ui(*form).CBformated->trigger();
        ui(*form).BtnInsert->click();
        QCOMPARE(clipboard()->text(), QString("before"));
        QVERIFY(form->statusColour() != copiedGreen);
    }

    void automaticCopyFollowsEveryPick() {
        auto form = bed.activatedForm();
        ui(*form).CBauto->trigger();
        QVERIFY(ui(*form).BtnInsert->isHidden());
        QCOMPARE(clipboard()->text(), QString("before"));
        pick(ui(*form).CBgenus, "Salix");
        QCOMPARE(clipboard()->text(), QString("Salix "));
        QCOMPARE(form->statusColour(), copiedGreen);
        pick(ui(*form).CBspecies, "×rubens");
        QCOMPARE(clipboard()->text(), QString("Salix ×rubens"));

        ui(*form).CBauthor->trigger();
        QCOMPARE(clipboard()->text(), QString("Salix ×rubens Schrank"));
        QCOMPARE(form->statusColour(), copiedGreen);

        ui(*form).CBauto->trigger();
        QVERIFY(!ui(*form).BtnInsert->isHidden());
        ui(*form).CBauthor->trigger();
        QCOMPARE(clipboard()->text(), QString("Salix ×rubens Schrank"));
        QCOMPARE(form->statusText(), QString("Salix ×rubens"));
        QVERIFY(form->statusColour() != copiedGreen);
    }

    void switchingFormattedOutputCopiesNothing() {
        auto form = bed.activatedForm();
        pick(ui(*form).CBgenus, "Picea");
        ui(*form).BtnInsert->click();
        QGuiApplication::clipboard()->setText("before");
        QCOMPARE(form->richOutput(), nullptr);
        ui(*form).CBformated->trigger();
        QVERIFY(form->richOutput());
        QCOMPARE(clipboard()->text(), QString("before"));
        QCOMPARE(form->statusColour(), copiedGreen);
        ui(*form).CBformated->trigger();
        QCOMPARE(form->richOutput(), nullptr);
        QCOMPARE(clipboard()->text(), QString("before"));
    }

    void formattedCopyOffersPlainTextHtmlAndRtf() {
        auto form = bed.activatedForm();
        ui(*form).CBformated->trigger();
        pickFullName(*form);
        ui(*form).BtnInsert->click();

        QCOMPARE(clipboard()->text(), fullName);
        QVERIFY(clipboard()->hasFormat(Clipboard::ownerFormat));
        const QByteArray rtf = clipboardRtf();
        QCOMPARE(clipboard()->data("application/rtf"), rtf);
        QCOMPARE(clipboard()->data("text/richtext"), rtf);
        const RichText fromRtf = readRtf(rtf);
        QCOMPARE(fromRtf.markup, fullMarkup);
        // No font chosen: both leave face and size to the paragraph that the name is pasted
        // into.
        const RichText fromHtml = readHtml(clipboard()->data("text/html"));
        QCOMPARE(fromHtml.markup, fullMarkup);
        for (const RichText& read : {fromRtf, fromHtml}) {
            QCOMPARE(read.face, QString());
            QCOMPARE(read.pointSize, 0);
        }
        QCOMPARE(form->statusColour(), copiedGreen);
    }

    void storedFontIsTheBaseFormat_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("size");
        QTest::newRow("nothing stored") << QStringList() << QString() << 0;
        QTest::newRow("face and size")
            << QStringList{R"("FontName"="DejaVu Serif")", R"("FontSize"=dword:0000000e)"}
            << "DejaVu Serif" << 14;
        QTest::newRow("empty face is no choice")
            << QStringList{R"("FontName"="")", R"("FontSize"=dword:0000000e)"} << QString() << 0;
        QTest::newRow("long face cut")
            << QStringList{"\"FontName\"=\"" + QString(40, u'F') + "\""} << QString(31, u'F') << 8;
        QTest::newRow("values of other types")
            << QStringList{R"("FontName"=dword:00000001)", R"("FontSize"="12")"} << QString() << 0;
        QTest::newRow("size zero")
            << QStringList{R"("FontName"="DejaVu Serif")", R"("FontSize"=dword:00000000)"}
            << "DejaVu Serif" << 8;
        QTest::newRow("negative size")
            << QStringList{R"("FontName"="DejaVu Serif")", R"("FontSize"=dword:fffffff6)"}
            << "DejaVu Serif" << 8;
        QTest::newRow("absurd size")
            << QStringList{R"("FontName"="DejaVu Serif")", R"("FontSize"=dword:000186a0)"}
            << "DejaVu Serif" << 8;
    }
    void storedFontIsTheBaseFormat() {
        QFETCH(QStringList, stored);
        QFETCH(QString, face);
        QFETCH(int, size);
        bed.settings().writeKey(stored + QStringList{R"("Formated"=dword:00000001)"});
        auto form = bed.activatedForm();
        QVERIFY(ui(*form).CBformated->isChecked());
        pick(ui(*form).CBgenus, "Salix");
        ui(*form).BtnInsert->click();
        const RichText copied = readRtf(clipboardRtf());
        QCOMPARE(copied.face, face);
        QCOMPARE(copied.pointSize, size);
        QCOMPARE(copied.markup, QString("/Salix/"));
    }

    void chosenFontLastsWhileFormattedOutputIsOn() {
        auto form = bed.activatedForm();
        ui(*form).CBformated->trigger();
        pick(ui(*form).CBgenus, "Salix");
        QFont bold("DejaVu Sans", 12);
        bold.setBold(true);
        QFont offered;
        answerFontDialog(bold, &offered);
        ui(*form).BtnFormat1->trigger();
        // The window's font, as near as the dialog's font list comes to it.
        QCOMPARE(offered.pointSize(), 8);
        QVERIFY(!offered.bold());

        ui(*form).BtnInsert->click();
        RichText copied = readRtf(clipboardRtf());
        QCOMPARE(copied.face, QString("DejaVu Sans"));
        QCOMPARE(copied.pointSize, 12);
        QVERIFY(copied.bold);
        QVERIFY(bed.settings().keyBytes().contains("\"FontName\"=\"DejaVu Sans\""));
        QVERIFY(bed.settings().keyBytes().contains("\"FontSize\"=dword:0000000c"));

        // A cancelled dialog changes nothing; the dialog starts from the last choice.
        answerFontDialog(std::nullopt, &offered);
        ui(*form).BtnFormat1->trigger();
        QCOMPARE(offered.family(), QString("DejaVu Sans"));
        QVERIFY(offered.bold());
        ui(*form).BtnInsert->click();
        QVERIFY(readRtf(clipboardRtf()).bold);

        // Off and on again: only the stored face and size come back.
        ui(*form).CBformated->trigger();
        ui(*form).CBformated->trigger();
        ui(*form).BtnInsert->click();
        copied = readRtf(clipboardRtf());
        QCOMPARE(copied.face, QString("DejaVu Sans"));
        QCOMPARE(copied.pointSize, 12);
        QVERIFY(!copied.bold);
    }
};

QTEST_MAIN(TestCopy)
#include "tst_copy.moc"
