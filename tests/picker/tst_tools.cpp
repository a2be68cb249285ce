#include "platform/MessageBox.h"
#include "support/AsNobody.h"
#include "support/FakeClipboard.h"
#include "support/ListPick.h"
#include "support/PickerTestBed.h"
#include "tools/FBrowse.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

const QStringList rows = {
    "0\tAbies\t\t\t\t\t50\t1",
    "1\tAbies\talba\t\tMill.\t\t51\t2",
    "0\tPicea\t\t\t\t\t538\t3",
    "1\tPicea\tabies\t\t(L.) H.Karst.\t\t539\t4",
};
const QStringList synonyms = {"Picea excelsa\t4", "Pinus picea\t2"};
// The tables of a second import: a genus more, and the record numbers moved.
const QStringList newRows = {
    "0\tAbies\t\t\t\t\t50\t1",  "1\tAbies\talba\t\tMill.\t\t51\t2",
    "0\tLarix\t\t\t\t\t60\t3",  "1\tLarix\tdecidua\t\tMill.\t\t61\t4",
    "0\tPicea\t\t\t\t\t538\t5", "1\tPicea\tabies\t\t(L.) H.Karst.\t\t539\t6",
};
const QStringList newSynonyms = {"Larix europaea\t4", "Picea excelsa\t6"};

// Searches in the shown synonym window and accepts the name of the one synonym found.
void acceptTheSynonymFound(QWidget* synonymWindow) {
    synonymWindow->findChild<QPushButton*>("BtnFind")->click();
    auto* grid = synonymWindow->findChild<QTableView*>("DBGrid1");
    QTRY_COMPARE(grid->model()->rowCount(), 1);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    synonymWindow->findChild<QPushButton*>("BtnName")->click();
}

// Once the editing window shows, tells whether it is read-only, renames the species "alba"
// to "albida" where it may, and closes the window.
std::shared_ptr<std::optional<bool>> renameAlbaWhenShown() {
    auto readOnly = std::make_shared<std::optional<bool>>();
    QTimer::singleShot(0, [readOnly] {
        auto* form = qobject_cast<TFormBrowse*>(QApplication::activeModalWidget());
        if (!form)
            return;
        *readOnly = form->readOnly();
        auto* grid = form->findChild<QTableView*>("DBGrid1");
        const QModelIndex alba = grid->model()->index(1, 2);
        grid->setCurrentIndex(alba);
        grid->model()->setData(alba, "albida");
        form->close();
    });
    return readOnly;
}

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
        acceptTheSynonymFound(synonymWindow);
        QCOMPARE(ui(*form).CBgenus->currentText(), QString("Picea"));
        QCOMPARE(ui(*form).CBspecies->currentText(), QString("abies"));
        QVERIFY(bed.messages().isEmpty());
    }

    // Tables the user may not write are edited, once the user agrees, in a copy in the user's
    // folder, which the main window then reads; the shared tables stay as they were. A "no"
    // keeps them read-only, and the question is not asked again.
    void editingInstalledTables_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("copied") << true;
        QTest::newRow("declined") << false;
    }

    void editingInstalledTables() {
        QFETCH(bool, answer);
        NARDEL_RUN_AS_NOBODY_WHEN_ROOT();
        const QTemporaryDir dataHome;
        const QByteArray previousDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        const auto restoreDataHome = qScopeGuard([&] {
            previousDataHome.isNull() ? qunsetenv("XDG_DATA_HOME")
                                      : qputenv("XDG_DATA_HOME", previousDataHome);
        });
        const QString shared = bed.folder();
        const QFile::Permissions permissions = QFile::permissions(shared);
        QVERIFY(
            QFile::setPermissions(shared, permissions & ~QFile::WriteOwner & ~QFile::WriteUser));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(shared, permissions); });
        const QByteArray sharedNames = TestTables::digestOf(QDir(shared).filePath("plantnames.db"));

        auto form = bed.activatedForm(&clipboard);
        MessageBox::setNextAnswer(answer);
        for (int use = 0; use < 2; ++use) {
            const auto readOnly = renameAlbaWhenShown();
            ui(*form).BtnEdit->trigger();
            QCOMPARE(*readOnly, std::optional(!answer));
        }

        const auto questions = [&] {
            return bed.messages().filter(QStringLiteral("Zkopírovat ho do vaší složky ") +
                                         dataHome.filePath("nardel"));
        };
        QCOMPARE(questions().size(), 1);
        QCOMPARE(TestTables::digestOf(QDir(shared).filePath("plantnames.db")), sharedNames);
        pick(ui(*form).CBgenus, "Abies");
        QCOMPARE(entries(ui(*form).CBspecies), QStringList({"", answer ? "albida" : "alba"}));
        QCOMPARE(QFileInfo::exists(dataHome.filePath("nardel/syns.db")), answer);
    }

    // New tables in the folder are read while the window runs, its lists, counts and synonym
    // window alike, once both tables are in place; the names selected stay. Where the window
    // cannot read them, it says to restart.
    void newTablesInTheFolder_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("read");
        QTest::newRow("second import") << "import" << true;
        QTest::newRow("names swapped before synonyms") << "swap" << true;
        QTest::newRow("import while editing") << "edit" << false;
        QTest::newRow("synonym table removed") << "remove" << false;
    }

    void newTablesInTheFolder() {
        QFETCH(QString, change);
        QFETCH(bool, read);
        const auto restoreTables = qScopeGuard([this] { bed.importAgain(rows, synonyms); });
        FakeClipboard quiet;
        auto form = bed.activatedForm(&quiet);
        ui(*form).BtnSyn->click();
        auto* synonymWindow = form->findChild<QWidget*>("FormSyns");
        auto* search = synonymWindow->findChild<QLineEdit*>("EditF");
        search->setText("Pinus");
        acceptTheSynonymFound(synonymWindow);
        pick(ui(*form).CBspecies, "alba");
        const QStringList genera = entries(ui(*form).CBgenus);
        const QString folder = bed.folder() + '/';
        const auto restarts = [&] {
            return bed.messages().filter("restartujte Nardel", Qt::CaseInsensitive).size();
        };

        if (change == "import") {
            bed.importAgain(newRows, newSynonyms);
        } else if (change == "swap") {
            // A swap seen half done is not read, also when the window becomes active.
            const TestTables next;
            next.importRows(newRows, newSynonyms);
            QCOMPARE(std::rename(qPrintable(next.path("plantnames.db")),
                                 qPrintable(folder + "plantnames.db")),
                     0);
            QEvent activation(QEvent::WindowActivate);
            QApplication::sendEvent(form.get(), &activation);
            QCOMPARE(entries(ui(*form).CBgenus), genera);
            QCOMPARE(std::rename(qPrintable(next.path("syns.db")), qPrintable(folder + "syns.db")),
                     0);
        } else if (change == "edit") {
            QTimer::singleShot(0, [&] {
                bed.importAgain(newRows, newSynonyms);
                // Told or not, the window closes: what the user was told is checked below.
                static_cast<void>(QTest::qWaitFor([&] { return restarts() > 0; }));
                QApplication::activeModalWidget()->close();
            });
            ui(*form).BtnEdit->trigger();
        } else {
            QVERIFY(QFile::remove(folder + "syns.db"));
        }

        if (!read) {
            QTRY_COMPARE(restarts(), 1);
            QCOMPARE(entries(ui(*form).CBgenus), genera);
            return;
        }
        QTRY_COMPARE(entries(ui(*form).CBgenus), QStringList({"Abies", "Larix", "Picea"}));
        QCOMPARE(ui(*form).LblGenus->text(), QString("3"));
        QCOMPARE(ui(*form).CBgenus->currentText(), QString("Abies"));
        QCOMPARE(ui(*form).CBspecies->currentText(), QString("alba"));
        search->setText("Larix eur");
        acceptTheSynonymFound(synonymWindow);
        QCOMPARE(ui(*form).CBspecies->currentText(), QString("decidua"));
        QCOMPARE(bed.messages(), QStringList());
    }
};

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
