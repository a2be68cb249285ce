#include "store/ListQueries.h"
#include "store/TablePath.h"

#include <QTest>

class TestListQueries : public QObject {
    Q_OBJECT

private slots:
    void listQueriesReachTheEngineLineByLine() {
        QCOMPARE(genusQueryLines(), QStringList({"SELECT * FROM 'plantnames.db'",
                                                 "WHERE (LEVEL_=0)", "ORDER BY GENUS"}));
        QCOMPARE(speciesQueryLines(),
                 QStringList({"SELECT * FROM 'plantnames.db'", "WHERE (LEVEL_=1)",
                              "AND (GENUS= :genus)", "ORDER BY SPECIES"}));
        QCOMPARE(subspQueryLines(),
                 QStringList({"SELECT * FROM 'plantnames.db'", "WHERE (LEVEL_=2)",
                              "AND (GENUS= :genus)", "AND (SPECIES= :species)", "ORDER BY SUBSP"}));
    }

    void tablePathHasOneSeparator_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("without separator") << "/opt/nardel"
                                           << "/opt/nardel/plantnames.db";
        QTest::newRow("with separator") << "/opt/nardel/"
                                        << "/opt/nardel/plantnames.db";
        QTest::newRow("root") << "/"
                              << "/plantnames.db";
    }

    void tablePathHasOneSeparator() {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QCOMPARE(tablePathIn(folder, "plantnames.db"), path);
        QCOMPARE(folderOf(path) + fileNameOf(path), path);
        QCOMPARE(fileNameOf(path), QString("plantnames.db"));
        QVERIFY(folderOf(path).endsWith('/'));
    }

    void missingSourceMessageHasThePathInBrackets() {
        QCOMPARE(missingSourceMessage("/opt/nardel/plantnames.db"),
                 QString("Data source for Nardel is not available\r\n[/opt/nardel/plantnames.db]"));
    }
};

QTEST_GUILESS_MAIN(TestListQueries)
#include "tst_listqueries.moc"
