#include "store/Connection.h"
#include "store/Statement.h"
#include "store/TableSchema.h"
#include "support/AsNobody.h"
#include "support/ToolsTestBed.h"
#include "tools/BrowseModel.h"
#include "tools/FBrowse.h"

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString tableName = QStringLiteral("plantnames.db");
// LEVEL_ GENUS SPECIES SUBSP AUTOR0 AUTOR1 PAGE PN_REC
const QStringList nameRows{"0\tAbies\t\t\t\t\t10\t1", "1\tAbies\talba\t\tMill.\t\t11\t2",
                           "1\tAbies\tnordmanniana\t\t(Steven) Spach\t\t12\t3",
                           "0\tPicea\t\t\t\t\t20\t4"};
enum Column { Level, Genus, Species, Subsp, Author0, Author1, Page, Record };

const QString warningText = QStringLiteral("Nevhodnou editací mohou být data poškozena.\r\n"
                                           "Data lze obnovit pouze novou instalací programu.");
const QString restartText =
    QStringLiteral("Počet záznamů byl změněn, proto je potřebné aplikaci restartovat.");

// The records of a table file in the table's order, fields joined by '|' and null written as
// NULL, read on a connection of their own; and SQLite's verdict on the file.
QStringList fileRecords(const QString& path, QString* integrity = nullptr) {
    Connection db;
    if (!db.open(path))
        qFatal("cannot open %s", qPrintable(path));
    QStringList records;
    Statement query;
    query.prepare(db.handle(), QStringLiteral(R"(SELECT * FROM "plantnames.db" ORDER BY rowid)"));
    while (query.step() == Statement::Step::Row) {
        QStringList fields;
        for (int field = 0; field < query.columnCount(); ++field) {
            const Statement::Value value = query.column(field);
            fields.append(value.kind == Statement::Kind::Null ? QStringLiteral("NULL")
                                                              : Statement::textOf(value));
        }
        records.append(fields.join(u'|'));
    }
    if (integrity && query.prepare(db.handle(), QStringLiteral("PRAGMA integrity_check")) &&
        query.step() == Statement::Step::Row)
        *integrity = QString::fromUtf8(query.columnBytes(0));
    return records;
}

// Runs `sql`, statements separated by ';', on a table file as another program does, on a
// connection of its own.
bool otherProgramRuns(const QString& path, const QString& sql) {
    Connection db;
    return db.open(path) && db.exec(sql);
}

QStringList originalRecords() {
    QStringList records;
    for (const QString& row : nameRows)
        records.append(QString(row).replace(u'\t', u'|'));
    return records;
}

template <class Control>
Control* control(const QWidget& form, const char* name) {
    auto* found = form.findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        qFatal("The editing window has no control %s", name);
    return found;
}

QTableView* grid(const QWidget& form) {
    return control<QTableView>(form, "DBGrid1");
}

BrowseModel& model(const QWidget& form) {
    return *qobject_cast<BrowseModel*>(grid(form)->model());
}

QString cell(const QWidget& form, int row, int column) {
    return model(form).index(row, column).data().toString();
}

// Answers the next question box with `button`, as its user does.
void answerNextQuestion(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(button)->click();
    });
}

// What a user does in the window, step by step: "select ROW", "type COLUMN TEXT" into the
// current record, "click BUTTON", "delete" (confirmed), "move ROW" (by clicking a cell), "key
// KEY" pressed in the grid.
void perform(TFormBrowse& form, const QStringList& steps) {
    QTableView* view = grid(form);
    for (const QString& step : steps) {
        const QStringList words = step.split(u' ');
        const int row = words.value(1).toInt();
        if (words[0] == u"select" || words[0] == u"move") {
            view->setCurrentIndex(view->model()->index(row, 0));
        } else if (words[0] == u"type") {
            const QModelIndex index = view->model()->index(view->currentIndex().row(), row);
            view->setCurrentIndex(index);
            view->model()->setData(index, QStringList(words.mid(2)).join(u' '), Qt::EditRole);
        } else if (words[0] == u"click") {
            control<QToolButton>(form, qPrintable(words[1]))->click();
        } else if (words[0] == u"key") {
            if (words[1] == u"Ctrl+Del")
                answerNextQuestion(QMessageBox::Ok);
            const QKeySequence key(words[1]);
            QTest::keyClick(view, key[0].key(), key[0].keyboardModifiers());
        } else if (words[0] == u"delete") {
            answerNextQuestion(QMessageBox::Ok);
            control<QToolButton>(form, "BtnDelete")->click();
        } else {
            qFatal("unknown step %s", qPrintable(step));
        }
        QCoreApplication::processEvents();
    }
}

// Performs `steps` in the editing window once it shows modally, then closes it; tells whether
// the window showed.
std::shared_ptr<bool> whileShown(const QStringList& steps) {
    auto shown = std::make_shared<bool>(false);
    QTimer::singleShot(0, [steps, shown] {
        if (auto* form = qobject_cast<TFormBrowse*>(QApplication::activeModalWidget())) {
            *shown = true;
            perform(*form, steps);
            form->close();
            // A refused record keeps the window open: drop it, and let the messages tell.
            if (form->isVisible())
                perform(*form, {"click BtnCancel"});
            form->close();
        }
    });
    return shown;
}

const QStringList insertLarix{"click BtnInsert", "type 0 0", "type 1 Larix", "type 6 30"};

} // namespace

class TestBrowse : public QObject {
    Q_OBJECT

private slots:
    // Only the number of records decides the restart; every store reaches the file whole.
    void countsDecideRestart_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("restart");
        QTest::addColumn<QStringList>("records");
        const QStringList original = originalRecords();
        QStringList edited = original;
        edited[1] = "1|Abies|alba||Mill. emend.||11|2";
        QStringList subspecies = original;
        subspecies[1] = "2|Abies|alba|subsp. alba|Mill.||11|2";
        QStringList inserted = original;
        inserted.append("0|Larix|||||30|5");

        QTest::newRow("nothing") << QStringList() << false << original;
        QTest::newRow("edit only")
            << QStringList{"select 1", "type 4 Mill. emend.", "click BtnNext"} << false << edited;
        QTest::newRow("edit to a subspecies")
            << QStringList{"select 1", "type 0 2", "type 3 subsp. alba", "click BtnNext"} << false
            << subspecies;
        QTest::newRow("insert, stored at closing") << insertLarix << true << inserted;
        QTest::newRow("delete") << QStringList{"select 3", "delete"} << true << original.mid(0, 3);
        QTest::newRow("insert then delete, by the grid's keys")
            << QStringList{"key Ins",  "type 0 0", "type 1 Larix", "type 6 30",
                           "key Down", "select 3", "key Ctrl+Del"}
            << false << original.mid(0, 3) + inserted.mid(4);
    }

    void countsDecideRestart() {
        QFETCH(QStringList, steps);
        QFETCH(bool, restart);
        QFETCH(QStringList, records);
        ToolsTestBed bed(nameRows);
        whileShown(steps);
        const BrowseOutcome outcome = ShowFormBrowse(nullptr, bed.source, tableName);
        QCOMPARE(outcome, restart ? BrowseOutcome::RestartNeeded : BrowseOutcome::Unchanged);
        const QStringList messages =
            restart ? QStringList{warningText, restartText} : QStringList{warningText};
        QCOMPARE(bed.messages, messages);
        QString integrity;
        QCOMPARE(fileRecords(bed.tables.path(tableName), &integrity), records);
        QCOMPARE(integrity, QStringLiteral("ok"));
    }

    // A record the engine refuses stays in editing where it is, the standard error box names
    // the field, and nothing reaches the file; the cancel button then drops it.
    void refusedRecordStaysInEditing_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("cancel");
        const struct {
            const char* name;
            QStringList steps;
            int row;
            const char* reason;
        } cases[] = {
            {"key of another record", {"select 1", "type 7 3"}, 1, "PN_REC 3 už má jiný záznam"},
            {"level outside 0 to 2", {"select 1", "type 0 3"}, 1, "LEVEL_ musí být 0"},
            {"text in a number field", {"select 1", "type 6 p. 12"}, 1, "PAGE musí být celé číslo"},
            {"new record without a level",
             {"select 2", "click BtnInsert", "type 1 Larix"},
             2,
             "LEVEL_ musí být 0"},
        };
        for (const auto& refused : cases) {
            QTest::addRow("%s, next button", refused.name)
                << refused.steps + QStringList{"click BtnNext"} << refused.row << refused.reason
                << "click BtnCancel";
            QTest::addRow("%s, another cell", refused.name)
                << refused.steps + QStringList{"move 0"} << refused.row << refused.reason
                << "key Esc";
        }
    }

    void refusedRecordStaysInEditing() {
        QFETCH(QStringList, steps);
        QFETCH(int, row);
        QFETCH(QString, reason);
        QFETCH(QString, cancel);
        ToolsTestBed bed(nameRows);
        TFormBrowse form;
        form.openTable(bed.source, tableName);
        form.show();
        perform(form, steps);

        QCOMPARE(bed.messages.size(), 1);
        QVERIFY2(bed.messages[0].contains(reason), qPrintable(bed.messages[0]));
        QVERIFY(model(form).state() != BrowseModel::State::Browse);
        QCOMPARE(model(form).editingRow(), row);
        QCOMPARE(grid(form)->currentIndex().row(), row);
        QCOMPARE(fileRecords(bed.tables.path(tableName)), originalRecords());

        perform(form, {cancel, "click BtnNext"});
        QCOMPARE(model(form).state(), BrowseModel::State::Browse);
        QCOMPARE(model(form).rowCount(), nameRows.size());
        QCOMPARE(bed.messages.size(), 1);
        QCOMPARE(fileRecords(bed.tables.path(tableName)), originalRecords());
    }

    // What the user typed is kept when the window closes, even in a cell editor still open;
    // a record the engine refuses keeps the window open.
    void closingStoresRecordInEditing() {
        ToolsTestBed bed(nameRows);
        TFormBrowse form;
        form.openTable(bed.source, tableName);
        form.show();
        QTableView* view = grid(form);
        view->setCurrentIndex(view->model()->index(1, Author0));
        view->edit(view->currentIndex());
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText("Mill. emend.");
        form.close();
        QVERIFY(!form.isVisible());
        QCOMPARE(fileRecords(bed.tables.path(tableName)).value(1),
                 QStringLiteral("1|Abies|alba||Mill. emend.||11|2"));

        form.show();
        perform(form, {"click BtnInsert", "type 1 Larix"});
        form.close();
        QVERIFY(form.isVisible());
        QCOMPARE(bed.messages.size(), 1);
        QVERIFY2(bed.messages[0].contains("LEVEL_"), qPrintable(bed.messages[0]));
        perform(form, {"type 0 0"});
        form.close();
        QVERIFY(!form.isVisible());
        QCOMPARE(fileRecords(bed.tables.path(tableName)).value(4),
                 QStringLiteral("0|Larix|||||NULL|5"));
    }

    // A table the user may not write opens read-only and says so, instead of failing on the
    // first store. Root may write anywhere, so then the case runs again as user nobody.
    void readOnlyTable_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("file") << false;
        QTest::newRow("folder") << true;
    }

    void readOnlyTable() {
        QFETCH(bool, folder);
        NARDEL_RUN_AS_NOBODY_WHEN_ROOT();
        ToolsTestBed bed(nameRows);
        const QString path = folder ? bed.tables.folder() : bed.tables.path(tableName);
        const QFile::Permissions before = QFile::permissions(path);
        QFile::setPermissions(path, before & ~(QFile::WriteOwner | QFile::WriteUser |
                                               QFile::WriteGroup | QFile::WriteOther));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(path, before); });

        whileShown({"select 1", "type 4 Mill. emend.", "click BtnInsert", "click BtnNext"});
        QCOMPARE(ShowFormBrowse(nullptr, bed.source, tableName), BrowseOutcome::Unchanged);
        QCOMPARE(bed.messages, QStringList{warningText});

        TFormBrowse form;
        form.openTable(bed.source, tableName);
        form.show();
        QVERIFY(form.readOnly());
        QVERIFY(control<QLabel>(form, "LblReadOnly")->isVisible());
        QVERIFY(!(model(form).flags(model(form).index(0, Genus)) & Qt::ItemIsEditable));
        QVERIFY(!control<QToolButton>(form, "BtnInsert")->isEnabled());
        QVERIFY(!control<QToolButton>(form, "BtnDelete")->isEnabled());
        QCOMPARE(fileRecords(bed.tables.path(tableName)), originalRecords());
    }

    // Records read a page at a time from either end or from the pages already read, across
    // more pages than are kept, stand where the table's order puts them, also after a new
    // record and a deletion.
    void recordsStandInTheTablesOrder() {
        QStringList rows;
        for (int i = 1; i <= 2200; ++i)
            rows.append(QStringLiteral("0\tG%1\t\t\t\t\t%1\t%2").arg(i).arg(i * 10));
        ToolsTestBed bed(rows);
        TFormBrowse form;
        form.openTable(bed.source, tableName);
        form.show();
        // Opening reads the first screen, not the table.
        QVERIFY(model(form).rowCount() < 100);

        perform(form, {"click BtnLast"});
        QCOMPARE(grid(form)->currentIndex().row(), 2199);
        for (const int row : {2199, 0, 1100, 64, 63, 1500, 128, 1, 2047, 700})
            QCOMPARE(cell(form, row, Record), QString::number((row + 1) * 10));

        perform(form, {"select 5", "click BtnInsert", "type 0 0", "type 1 Gx", "type 7 15005",
                       "click BtnFirst"});
        QCOMPARE(cell(form, 1500, Record), QStringLiteral("15005"));
        QCOMPARE(grid(form)->currentIndex().row(), 0);
        perform(form, {"select 10", "delete"});
        // Another program deletes records; the refresh button reads them again and keeps the
        // current record.
        QVERIFY(otherProgramRuns(bed.tables.path(tableName),
                                 R"(DELETE FROM "plantnames.db" WHERE PN_REC IN (20, 30, 21000))"));
        perform(form, {"select 100", "click BtnRefresh"});
        QCOMPARE(grid(form)->currentIndex().row(), 98);
        QCOMPARE(cell(form, 98, Record), QStringLiteral("1020"));

        const QStringList file = fileRecords(bed.tables.path(tableName));
        QCOMPARE(model(form).rowCount(), file.size());
        for (int row = file.size() - 1; row >= 0; --row)
            QCOMPARE(cell(form, row, Record), file[row].section(u'|', Record, Record));
        for (int row = 0; row < file.size(); ++row)
            QCOMPARE(cell(form, row, Genus), file[row].section(u'|', Genus, Genus));
    }

    // Opened again on the same connection, which keeps the statements that read it, the table
    // shows as it is now.
    void reopenedTableShowsItAsItIs_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("lastRecord");
        const QStringList titles{"LEVEL_", "GENUS",  "SPECIES", "SUBSP",
                                 "AUTOR0", "AUTOR1", "PAGE",    "PN_REC"};
        const QStringList picea = originalRecords().constLast().split(u'|');
        QTest::newRow("a record added")
            << R"(INSERT INTO "plantnames.db" VALUES (0, 'Larix', '', '', '', '', 30, 5))" << titles
            << QStringList{"0", "Larix", "", "", "", "", "30", "5"};
        QTest::newRow("a field added")
            << R"(ALTER TABLE "plantnames.db" ADD COLUMN NOTE TEXT DEFAULT 'new')"
            << titles + QStringList{"NOTE"} << picea + QStringList{"new"};
        QStringList renamed = titles;
        renamed[Author1] = "AUTHOR1";
        QTest::newRow("a field renamed")
            << R"(ALTER TABLE "plantnames.db" RENAME COLUMN AUTOR1 TO AUTHOR1)" << renamed << picea;
    }

    void reopenedTableShowsItAsItIs() {
        QFETCH(QString, change);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, lastRecord);
        ToolsTestBed bed(nameRows);
        TFormBrowse form;
        form.openTable(bed.source, tableName);
        form.closeTable();
        QVERIFY(otherProgramRuns(bed.tables.path(tableName), change));
        form.openTable(bed.source, tableName);
        form.show();
        perform(form, {"click BtnLast"});
        const int last = model(form).rowCount() - 1;
        QCOMPARE(model(form).columnCount(), titles.size());
        for (int column = 0; column < titles.size(); ++column) {
            QCOMPARE(model(form).headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                     titles[column]);
            QCOMPARE(cell(form, last, column), lastRecord[column]);
        }
    }

    // A field that another program adds while the table is open is shown once it is opened
    // again; one renamed or dropped makes further reading fail and say so, instead of showing
    // values under another field's title.
    void fieldsChangedWhileOpen_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message"); // none when the records are read as before
        QTest::newRow("a field added")
            << R"(ALTER TABLE "plantnames.db" ADD COLUMN NOTE TEXT DEFAULT 'new')" << QString();
        QTest::newRow("a field renamed")
            << R"(ALTER TABLE "plantnames.db" RENAME COLUMN AUTOR1 TO AUTHOR1)"
            << "otevřete tabulku znovu";
        QTest::newRow("a field dropped")
            << R"(DROP INDEX names_by_level; ALTER TABLE "plantnames.db" DROP COLUMN AUTOR1)"
            << "otevřete tabulku znovu";
    }

    void fieldsChangedWhileOpen() {
        QFETCH(QString, change);
        QFETCH(QString, message);
        QStringList rows;
        for (int i = 1; i <= 40; ++i)
            rows.append(QStringLiteral("0\tG%1\t\t\t\t\t%1\t%1").arg(i));
        ToolsTestBed bed(rows);
        TFormBrowse form;
        form.openTable(bed.source, tableName);
        form.show();
        QVERIFY(otherProgramRuns(bed.tables.path(tableName), change));
        perform(form, {"click BtnLast", "select 20"});
        QCoreApplication::processEvents();
        QCOMPARE(model(form).columnCount(), nameRows[0].count(u'\t') + 1);
        const QString last = message.isEmpty() ? QStringLiteral("40") : QString();
        QCOMPARE(cell(form, 39, Page), last);
        QCOMPARE(cell(form, 39, Record), last);
        // One message for each page that could not be read.
        QCOMPARE(bed.messages.isEmpty(), message.isEmpty());
        for (const QString& shown : bed.messages)
            QVERIFY2(shown.contains(message), qPrintable(shown));
    }

    // A table that cannot be opened shows the engine's reason and neither the warning nor
    // the window.
    void unopenableTable_data() {
        QTest::addColumn<QString>("password");
        QTest::newRow("missing") << QString();
        QTest::newRow("another password") << QStringLiteral("another");
    }

    void unopenableTable() {
        QFETCH(QString, password);
        ToolsTestBed bed(nameRows);
        QFile::remove(bed.tables.path(tableName));
        if (!password.isEmpty())
            bed.tables.writeTable(
                tableName, {TableSchema::createTable(TableSchema::names(), "main")}, password);
        const auto shown = whileShown({});
        QCOMPARE(ShowFormBrowse(nullptr, bed.source, tableName), BrowseOutcome::Unchanged);
        QCoreApplication::processEvents();
        QVERIFY(!*shown);
        QCOMPARE(bed.messages.size(), 1);
        QVERIFY2(bed.messages[0].contains(bed.tables.path(tableName)), qPrintable(bed.messages[0]));
    }
};

QTEST_MAIN(TestBrowse)
#include "tst_browse.moc"
