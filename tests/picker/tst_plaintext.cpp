#include "picker/FNardel.h"
#include "support/FakeClipboard.h"
#include "support/FifoTrap.h"
#include "support/ListPick.h"
#include "support/PickerControls.h"
#include "support/TestSettings.h"
#include "support/TestTables.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>

namespace {

const QStringList rows = {"0\tAbies\t\t\t\t\t50\t1", "1\tAbies\talba\t\tMill.\t\t51\t2"};
const QStringList synonyms = {"Pinus picea\t2"};

// What the user does once the window is up.
enum class Action { None, PickGenus, PickSpecies, AcceptedName, ExportDictionary };

QList<QPointer<QWidget>> guarded(const QList<QWidget*>& widgets) {
    return {widgets.begin(), widgets.end()};
}

// The labels and tooltips of the windows on the screen that hold `text`, by object name; a
// label that takes it for markup is marked so.
QStringList placesShowing(const QString& text) {
    QStringList places;
    // Showing a tooltip deletes the label, a window of its own, of the one shown before.
    for (const QPointer<QWidget>& window : guarded(QApplication::topLevelWidgets())) {
        if (!window || !window->isVisible())
            continue;
        // A rich-text label loads its pictures when it is laid out for painting.
        window->grab();
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            // A window's children include those of the dialogs it owns.
            if (label->window() != window || !label->isVisible() || !label->text().contains(text))
                continue;
            places.append(label->textFormat() == Qt::PlainText
                              ? label->objectName()
                              : label->objectName() + QStringLiteral(" as markup"));
        }
        for (const QPointer<QWidget>& widget : guarded(window->findChildren<QWidget*>())) {
            if (!widget)
                continue;
            const QString tip = widget->toolTip();
            if (widget->window() != window || tip.isEmpty())
                continue;
            QToolTip::showText(widget->mapToGlobal(QPoint()), tip, widget);
            QToolTip::hideText();
            const QString read =
                Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip;
            // What the user reads in the tooltip.
            if (read.contains(text))
                places.append(widget->objectName() + QStringLiteral(" tooltip"));
        }
    }
    return places;
}

// A folder whose path holds `markup`: its parts may be any bytes but "/".
QString folderNamed(const QString& base, const QString& markup) {
    const QString folder = base + u'/' + markup;
    if (!QDir().mkpath(folder))
        qFatal("cannot make %s", qPrintable(folder));
    return folder;
}

} // namespace

// Text from a table or a file name may look like markup, whose pictures Qt would load from
// the file system (a FIFO there would hang the program, /dev/zero fill its memory). Every place
// that shows such text shows it as written.
class TestPlainText : public QObject {
    Q_OBJECT

private slots:
    void tableTextAndFileNamesShowAsWritten_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("action");
        QTest::addColumn<QStringList>("places");
        const QString names = QStringLiteral("plantnames.db");
        const QStringList box{"qt_msgbox_label"};
        // Longer than the page label, which shows the whole citation in its tooltip.
        QTest::newRow("citation")
            << names << "INSERT OR REPLACE INTO nardel_about VALUES ('citation', 'Flora %1')"
            << int(Action::None) << QStringList{"LblPage tooltip"};
        QTest::newRow("genus") << names << R"(UPDATE "plantnames.db" SET GENUS = '%1')"
                               << int(Action::PickGenus) << QStringList{"StatusPanel"};
        // Longer than the status line, which shows the whole name in its tooltip.
        QTest::newRow("author")
            << names
            << R"(UPDATE "plantnames.db" SET AUTOR0 = '%1 ' || hex(zeroblob(100)) WHERE LEVEL_ = 1)"
            << int(Action::PickSpecies) << QStringList{"StatusPanel", "StatusPanel tooltip"};
        // Not a number: the engine's error names the value.
        QTest::newRow("page") << names
                              << R"(UPDATE "plantnames.db" SET PAGE = '%1' WHERE LEVEL_ = 1)"
                              << int(Action::PickGenus) << box;
        QTest::newRow("synonym") << "syns.db"
                                 << R"(UPDATE "syns.db" SET syn = '%1', pn_rec = 'x')"
                                 << int(Action::AcceptedName) << box;
        QTest::newRow("folder of a missing table")
            << QString() << QString() << int(Action::None) << box;
        QTest::newRow("dictionary file")
            << names << QString() << int(Action::ExportDictionary) << box;
    }

    void tableTextAndFileNamesShowAsWritten() {
        QFETCH(QString, table);
        QFETCH(QString, change);
        QFETCH(int, action);
        QFETCH(QStringList, places);
        const FifoTrap trap;
        const QString markup = trap.pictureMarkup();
        TestTables tables;
        tables.importRows(rows, synonyms);
        if (!change.isEmpty())
            tables.writeTable(table, {change.arg(markup)}, QString());
        const QString folder =
            table.isEmpty() ? folderNamed(tables.folder(), markup) : tables.folder();
        TestSettings settings;
        InfoWindowCloser infoWindowCloser;
        FakeClipboard clipboard;

        // Each message box is read as its user sees it, then closed.
        QStringList shown;
        QTimer boxes;
        connect(&boxes, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown += placesShowing(markup);
                box->done(QMessageBox::Ok);
            }
        });
        boxes.start(5);

        TFormNardel form(folder, clipboard, settings.store());
        form.FormActivate();
        form.show();
        const PickerControls controls(form);
        switch (Action(action)) {
        case Action::None:
            break;
        case Action::PickGenus:
            pick(controls.CBgenus, controls.CBgenus->itemText(0));
            break;
        case Action::PickSpecies:
            controls.CBauthor->trigger();
            pick(controls.CBgenus, "Abies");
            pick(controls.CBspecies, "alba");
            break;
        case Action::AcceptedName: {
            clipboard.copyFromOtherProgram(markup);
            controls.BtnSyn->click();
            auto* synonymWindow = form.findChild<QWidget*>("FormSyns");
            synonymWindow->findChild<QPushButton*>("BtnFind")->click();
            synonymWindow->findChild<QPushButton*>("BtnName")->click();
            break;
        }
        case Action::ExportDictionary:
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->selectFile(folderNamed(tables.folder(), markup) + "/slovnik.dic");
                static_cast<QDialog*>(dialog)->accept();
            });
            controls.BtnDICgenerate->trigger();
            break;
        }
        shown += placesShowing(markup);
        shown.sort();
        QCOMPARE(shown.join(u','), places.join(u','));
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
