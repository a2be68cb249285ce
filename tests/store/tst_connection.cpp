#include "store/Connection.h"
#include "support/TestTables.h"

#include <QTest>

// The connection answers what a file holds, or fails with the engine's text, never with a
// guess.
class TestConnection : public QObject {
    Q_OBJECT

private slots:
    void tellsWhatAFileHolds_data() {
        QTest::addColumn<QString>("content"); // "table", "empty" database, or plain "text"
        QTest::addColumn<int>("answer");      // 1 holds the table, 0 does not, -1 failure
        QTest::addColumn<QString>("error");
        QTest::newRow("database with the table") << "table" << 1 << "";
        QTest::newRow("database without it") << "empty" << 0 << "";
        QTest::newRow("text file") << "text" << -1 << "file is not a database";
    }
    void tellsWhatAFileHolds() {
        QFETCH(QString, content);
        QFETCH(int, answer);
        QFETCH(QString, error);
        TestTables tables;
        if (content == "text")
            tables.writeText("names", "LEVEL_\tGENUS\n0\tAbies\n");
        else
            tables.writeTable("names",
                              {content == "table" ? "CREATE TABLE names (GENUS TEXT)"
                                                  : "CREATE TABLE other (GENUS TEXT)"},
                              QString());
        Connection db;
        QVERIFY(db.open(":memory:"));
        // A file that is no database fails at its attachment or at its first read.
        const bool attached =
            db.exec(QString("ATTACH DATABASE '%1' AS t").arg(tables.path("names")));
        const std::optional<bool> holds = attached ? db.hasTable("t", "names") : std::nullopt;
        QCOMPARE(holds ? int(*holds) : -1, answer);
        QVERIFY2(db.errorText().contains(error), qPrintable(db.errorText()));
    }

    void failureToOpenIsTold() {
        Connection db;
        QVERIFY(!db.open("/nonexistent-folder/names.db"));
        QVERIFY(!db.isOpen());
        QVERIFY2(db.errorText().contains("unable to open"), qPrintable(db.errorText()));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
