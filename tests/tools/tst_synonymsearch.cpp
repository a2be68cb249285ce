#include "store/Query.h"
#include "support/ToolsTestBed.h"
#include "tools/FSyns.h"
#include "tools/QueryRowsModel.h"
#include "tools/RecordIndicator.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <algorithm>

namespace {

const QStringList nameRows{"0\tPicea\t\t\t\t\t10\t1", "1\tPicea\tabies\t\t(L.) H.Karst.\t\t11\t2",
                           "0\tAbies\t\t\t\t\t12\t3", "1\tAbies\talba\t\tMill.\t\t13\t4",
                           "2\tAbies\talba\tsubsp. apennina\t\tBrullo\t14\t5"};
const QStringList synonymRows{"Picea excelsa\t2", "Pinus abies\t2", "Abies pectinata\t4",
                              "Abies apennina\t5", "Abies nowhere\t3"};

// The synonym window's controls, found by their object names as a user's tools find them.
struct Controls {
    explicit Controls(const QWidget& form)
        : EditF(form.findChild<QLineEdit*>("EditF")),
          BtnFind(form.findChild<QPushButton*>("BtnFind")),
          BtnName(form.findChild<QPushButton*>("BtnName")),
          DBGrid1(form.findChild<QTableView*>("DBGrid1")) {}
    QLineEdit* EditF;
    QPushButton* BtnFind;
    QPushButton* BtnName;
    QTableView* DBGrid1;
};

// The names that the main window was asked to select, "level genus|species|subsp".
struct Selections {
    QStringList calls;
    SelectNameCallback callback() {
        return
            [this](int level, const QString& genus, const QString& species, const QString& subsp) {
                calls.append(QStringLiteral("%1 %2|%3|%4").arg(level).arg(genus, species, subsp));
            };
    }
};

// A main window and its synonym window, on the tables of a test bed.
struct SearchBed {
    explicit SearchBed(const QStringList& synonyms = synonymRows)
        : bed(nameRows, synonyms), form(bed.source, selections.callback()) {
        main.setGeometry(50, 100, 464, 101);
    }
    // Opens the window with `text` and searches with it.
    // Searches by the button, or by `key` pressed in the text when one is given.
    Controls find(const QString& text, QKeyCombination key = {}) {
        form.ShowFormSyns(text, &main);
        const Controls controls(form);
        if (key.key() == Qt::Key_unknown)
            form.BtnFindClick();
        else
            QTest::keyClick(controls.EditF, key.key(), key.keyboardModifiers());
        return controls;
    }

    ToolsTestBed bed;
    QWidget main;
    Selections selections;
    TFormSyns form;
};

// The texts of the visible column of every row that the grid holds, read to the end.
QStringList shownSynonyms(QTableView* grid) {
    QAbstractItemModel* model = grid->model();
    while (model->canFetchMore({}))
        model->fetchMore({});
    QStringList texts;
    for (int column = 0; column < model->columnCount(); ++column) {
        if (grid->isColumnHidden(column))
            continue;
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->index(row, column).data().toString());
    }
    texts.sort();
    return texts;
}

} // namespace

class TestSynonymSearch : public QObject {
    Q_OBJECT

private slots:
    void placedBesideTheMainWindow_data() {
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<int>("mainTop");
        QTest::addColumn<int>("top");
        // The main window is 130 high outside, the synonym window 286.
        QTest::newRow("768, top 384: below") << 768 << 384 << 514;
        QTest::newRow("768, top 385: above") << 768 << 385 << 99;
        QTest::newRow("1025, top 512: below") << 1025 << 512 << 642;
        QTest::newRow("1025, top 513: above") << 1025 << 513 << 227;
    }

    void placedBesideTheMainWindow() {
        QFETCH(int, screenHeight);
        QFETCH(int, mainTop);
        QFETCH(int, top);
        QCOMPARE(placeBesideMainWindow({40, mainTop}, 130, 286, screenHeight), QPoint(40, top));
    }

    // From the first opening on, the window touches the main window: its frame, which the
    // window system tells only once the window is shown, counts as it is drawn.
    void openingTouchesTheMainWindow_data() {
        QTest::addColumn<bool>("above");
        QTest::newRow("above") << true;
        QTest::newRow("below") << false;
    }
    void openingTouchesTheMainWindow() {
        QFETCH(bool, above);
        SearchBed bed;
        const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
        bed.main.move(50, above ? screenHeight * 3 / 4 : screenHeight / 8);
        bed.main.show();
        for (int opening = 1; opening <= 2; ++opening) {
            bed.form.ShowFormSyns(QString(), &bed.main);
            const QRect main = bed.main.frameGeometry();
            const QRect own = bed.form.frameGeometry();
            QCOMPARE(own.left(), main.left());
            QCOMPARE(above ? own.bottom() + 1 : own.top(), above ? main.top() : main.bottom() + 1);
        }
    }

    // `key`: the key pressed in the text to search; none for the button.
    void searchFindsSynonymsByTheirBeginning_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QKeyCombination>("key");
        const auto row = [](const char* name, const QString& text, const QStringList& found,
                            QKeyCombination key = {}) {
            QTest::newRow(name) << text << found << key;
        };
        row("whole synonym", "Picea excelsa", {"Picea excelsa"});
        row("by keypad Enter", "Picea excelsa", {"Picea excelsa"},
            Qt::KeypadModifier | Qt::Key_Enter);
        row("by Ctrl+Return", "Picea excelsa", {"Picea excelsa"},
            Qt::ControlModifier | Qt::Key_Return);
        row("trimmed, any letter case", " \tabies \r\n",
            {"Abies apennina", "Abies nowhere", "Abies pectinata"});
        row("the user's _ is a wildcard", "Pi_", {"Picea excelsa", "Pinus abies"});
        row("the user's % is a wildcard", "%excel", {"Picea excelsa"});
        row("empty text finds all", "",
            {"Picea excelsa", "Pinus abies", "Abies pectinata", "Abies apennina", "Abies nowhere"});
        row("nothing found", "Quercus", {});
    }

    void searchFindsSynonymsByTheirBeginning() {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        QFETCH(QKeyCombination, key);
        SearchBed bed;
        const Controls controls = bed.find(text, key);
        found.sort();
        QCOMPARE(shownSynonyms(controls.DBGrid1), found);
        QVERIFY(controls.DBGrid1->isVisible());
        QCOMPARE(controls.DBGrid1->model()->headerData(0, Qt::Horizontal).toString(),
                 QString("syn"));
        QVERIFY(controls.BtnName->isEnabled());
        QVERIFY(bed.bed.messages.isEmpty());
    }

    // A search after another in the same window: the grid holds only the new rows, from the
    // first one, which is current and marked, however the user left the last result.
    void searchAgainReplacesTheResult_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("lastRowCurrent");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("calls");
        const QStringList abies{"1 Abies|alba|"};
        const QStringList picea{"1 Picea|abies|"};
        QTest::newRow("fewer rows, the current one gone") << "Abies" << true << "Pi" << 2 << picea;
        QTest::newRow("as many, scrolled down") << "Abies" << false << "Abies" << 30 << abies;
        QTest::newRow("as many, the last row current") << "Abies" << true << "Abies" << 30 << abies;
        QTest::newRow("more rows") << "Pi" << true << "Abies" << 30 << abies;
        QTest::newRow("no rows") << "Abies" << true << "Quercus" << 0 << QStringList();
        QTest::newRow("rows after none") << "Quercus" << false << "Pi" << 2 << picea;
    }

    void searchAgainReplacesTheResult() {
        QFETCH(QString, first);
        QFETCH(bool, lastRowCurrent);
        QFETCH(QString, second);
        QFETCH(int, rows);
        QFETCH(QStringList, calls);
        QStringList synonyms{"Picea excelsa\t2", "Pinus abies\t2"};
        for (int i = 0; i < 30; ++i)
            synonyms.append(QStringLiteral("Abies %1\t4").arg(i, 2, 10, QChar('0')));
        SearchBed bed(synonyms);
        QTableView* grid = bed.find(first).DBGrid1;
        QAbstractItemModel* model = grid->model();
        const int firstRows = model->rowCount();
        if (lastRowCurrent && firstRows > 0)
            grid->setCurrentIndex(model->index(firstRows - 1, 0));
        grid->scrollToBottom();
        // The first result of 30 rows is longer than the grid.
        QCOMPARE(grid->verticalScrollBar()->value() > 0, first == "Abies");

        bed.form.ShowFormSyns(second, &bed.main);
        bed.form.BtnFindClick();
        QCOMPARE(model->rowCount(), rows);
        const QStringList found = shownSynonyms(grid);
        QCOMPARE(found.size(), rows);
        QVERIFY2(std::all_of(found.cbegin(), found.cend(),
                             [&](const QString& text) {
                                 return text.startsWith(second, Qt::CaseInsensitive);
                             }),
                 qPrintable(found.join(", ")));
        // As the user sees it: after the grid has laid out the new rows.
        QCoreApplication::processEvents();
        QCOMPARE(grid->verticalScrollBar()->value(), 0);
        QCOMPARE(grid->currentIndex().row(), rows > 0 ? 0 : -1);
        QStringList marked;
        for (int row = 0; row < model->rowCount(); ++row)
            marked.append(model->headerData(row, Qt::Vertical).toString());
        QCOMPARE(marked.indexOf(recordIndicatorMark), rows > 0 ? 0 : -1);
        QCOMPARE(marked.lastIndexOf(recordIndicatorMark), rows > 0 ? 0 : -1);
        QTest::mouseClick(Controls(bed.form).BtnName, Qt::LeftButton);
        QCOMPARE(bed.selections.calls, calls);
        QVERIFY(bed.bed.messages.isEmpty());
    }

    // A synonym whose accepted name is missing says so and leaves the main window's choice.
    void acceptedNameGoesToTheMainWindow_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("species") << "Picea excelsa" << QString() << QStringList{"1 Picea|abies|"}
                                 << QStringList();
        QTest::newRow("subspecies") << "Abies apennina" << QString()
                                    << QStringList{"2 Abies|alba|subsp. apennina"} << QStringList();
        QTest::newRow("genus") << "Abies nowhere" << QString() << QStringList{"0 Abies||"}
                               << QStringList();
        QTest::newRow("no name-table row")
            << "Abies nowhere"
            << R"(DELETE FROM "plantnames.db" WHERE PN_REC = 3)" << QStringList()
            << QStringList{"Platné jméno synonyma „Abies nowhere“ (pn_rec 3) v tabulce jmen chybí. "
                           "Doplňte je v okně Editace dat, nebo tabulky vytvořte znovu příkazem "
                           "nardel-import."};
        QTest::newRow("no synonym found")
            << "Quercus" << QString() << QStringList() << QStringList();
    }

    void acceptedNameGoesToTheMainWindow() {
        QFETCH(QString, text);
        QFETCH(QString, change);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, messages);
        SearchBed bed;
        if (!change.isEmpty())
            bed.bed.tables.writeTable("plantnames.db", {change}, QString());
        const Controls controls = bed.find(text);
        QTest::mouseClick(controls.BtnName, Qt::LeftButton);
        QCOMPARE(bed.selections.calls, calls);
        QCOMPARE(bed.bed.messages, messages);
        QVERIFY(bed.form.isVisible());
    }

    void onlyAWholeNumberIsLookedUp_data() {
        QTest::addColumn<QString>("pnRec");
        QTest::addColumn<bool>("selected");
        QTest::newRow("whole number as text") << "'2'" << true;
        QTest::newRow("SQL after a number") << "'2 OR 1=1'" << false;
        QTest::newRow("a statement of its own") << R"('2; DROP TABLE "plantnames.db"')" << false;
        QTest::newRow("null") << "NULL" << false;
    }

    void onlyAWholeNumberIsLookedUp() {
        QFETCH(QString, pnRec);
        QFETCH(bool, selected);
        SearchBed bed;
        bed.bed.tables.writeTable(
            "syns.db",
            {R"(DROP TABLE "syns.db")", R"(CREATE TABLE "syns.db" (syn TEXT, pn_rec))",
             QStringLiteral(R"(INSERT INTO "syns.db" VALUES ('Picea hostilis', %1))").arg(pnRec)},
            QString());
        QTest::mouseClick(bed.find("Picea hostilis").BtnName, Qt::LeftButton);
        QCOMPARE(bed.selections.calls, selected ? QStringList{"1 Picea|abies|"} : QStringList());
        QCOMPARE(bed.bed.messages.size(), selected ? 0 : 1);
        if (!selected)
            QVERIFY2(bed.bed.messages.first().startsWith("Synonymum „Picea hostilis“"),
                     qPrintable(bed.bed.messages.first()));
        Query names(bed.bed.source);
        names.addSqlLine("SELECT * FROM 'plantnames.db'");
        names.open();
        QCOMPARE(names.recordCount(), nameRows.size());
    }

    // Two tables of different imports: the synonym's record number would name a wrong row.
    void tablesOfOneImportOnly_data() {
        QTest::addColumn<QStringList>("namesChange");
        QTest::addColumn<QStringList>("synonymsChange");
        QTest::addColumn<bool>("selected");
        const QStringList otherStamp{"UPDATE nardel_about SET value='other' WHERE name='import'"};
        const QStringList noStamp{"DROP TABLE nardel_about"};
        QTest::newRow("another import's synonyms") << QStringList() << otherStamp << false;
        QTest::newRow("one table without a stamp") << noStamp << QStringList() << false;
        QTest::newRow("both without a stamp") << noStamp << noStamp << true;
    }

    void tablesOfOneImportOnly() {
        QFETCH(QStringList, namesChange);
        QFETCH(QStringList, synonymsChange);
        QFETCH(bool, selected);
        SearchBed bed;
        if (!namesChange.isEmpty())
            bed.bed.tables.writeTable("plantnames.db", namesChange, QString());
        if (!synonymsChange.isEmpty())
            bed.bed.tables.writeTable("syns.db", synonymsChange, QString());
        QTest::mouseClick(bed.find("Picea excelsa").BtnName, Qt::LeftButton);
        QCOMPARE(bed.selections.calls, selected ? QStringList{"1 Picea|abies|"} : QStringList());
        QCOMPARE(bed.bed.messages.size(), selected ? 0 : 1);
        if (!selected)
            QVERIFY2(bed.bed.messages.first().contains("nepocházejí z jednoho importu"),
                     qPrintable(bed.bed.messages.first()));
    }

    void closingKeepsTheTextAndDropsTheResult() {
        SearchBed bed;
        const Controls controls(bed.form);
        bed.form.ShowFormSyns("Picea excelsa", &bed.main);
        QVERIFY(bed.form.isVisible());
        QCOMPARE(bed.form.pos(), QPoint(50, 100 + 101 + 27));
        QVERIFY(!controls.DBGrid1->isVisible());
        QVERIFY(!controls.BtnName->isEnabled());

        QTest::keyClick(controls.EditF, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(shownSynonyms(controls.DBGrid1), QStringList{"Picea excelsa"});

        // A new opening replaces the text and keeps the result until the next search.
        bed.form.ShowFormSyns("Abies", &bed.main);
        QCOMPARE(controls.EditF->text(), QString("Abies"));
        QCOMPARE(shownSynonyms(controls.DBGrid1), QStringList{"Picea excelsa"});

        bed.form.close();
        QVERIFY(!bed.form.isVisible());
        QVERIFY(!controls.BtnName->isEnabled());
        QCOMPARE(controls.EditF->text(), QString("Abies"));
        bed.form.ShowFormSyns(QString(), &bed.main);
        QVERIFY(!controls.DBGrid1->isVisible());
        QVERIFY(!controls.BtnName->isEnabled());
    }

    void failedSearchLeavesNoResult() {
        SearchBed bed;
        const Controls controls = bed.find("Picea");
        QVERIFY(controls.DBGrid1->isVisible());
        // Longer in UTF-8 than the engine takes for a LIKE pattern.
        controls.EditF->setText(u'%' + QString(30000, u'č'));
        QTest::mouseClick(controls.BtnFind, Qt::LeftButton);
        QCOMPARE(bed.bed.messages.size(), 1);
        QVERIFY(!controls.DBGrid1->isVisible());
        QVERIFY(!controls.BtnName->isEnabled());
        QCOMPARE(controls.DBGrid1->model()->rowCount(), 0);
    }

    void emptyTextReadsTheFirstScreenOnly() {
        QStringList synonyms;
        for (int i = 0; i < 1000; ++i)
            synonyms.append(QStringLiteral("Abies %1\t4").arg(i, 4, 10, QChar('0')));
        SearchBed bed(synonyms);
        const Controls controls = bed.find(QString());
        QCOMPARE(controls.DBGrid1->model()->rowCount(), QueryRowsModel::batchRows);
        QCOMPARE(shownSynonyms(controls.DBGrid1).size(), synonyms.size());
        QCOMPARE(controls.DBGrid1->currentIndex().row(), 0);
        QTest::mouseClick(controls.BtnName, Qt::LeftButton);
        QCOMPARE(bed.selections.calls, QStringList{"1 Abies|alba|"});
    }
};

QTEST_MAIN(TestSynonymSearch)
#include "tst_synonymsearch.moc"
