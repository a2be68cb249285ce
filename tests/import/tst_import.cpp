#include "import/TableImport.h"
#include "import/TableWriter.h"
#include "store/EngineError.h"
#include "store/NameSource.h"
#include "store/TablePair.h"
#include "store/TablePassword.h"
#include "support/TestTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString genusRow = "0\tDianthus\t\t\t\t\t210\t1";
const QString speciesRow = "1\tDianthus\tcarthusianorum\t\tL.\t\t211\t2";
const QString subspRow = "2\tDianthus\tcarthusianorum\tsubsp. saxigenus\t\t(Schur) Čelak.\t212\t3";

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private slots:
    void importedRowsReadBackExactly() {
        TestTables tables;
        // Columns in another order and letter case, a byte-order mark, CR LF line ends and
        // blank lines, which are no rows.
        tables.writeText(
            "names.tsv",
            "\xEF\xBB\xBFpn_rec\tlevel_\tgenus\tspecies\tsubsp\tautor0\tautor1\tpage\r\n"
            "1\t0\tDianthus\t\t\t\t\t210\r\n"
            "2\t1\tDianthus\tcarthusianorum\t\tL.\t\t211\r\n"
            "3\t2\tDianthus\tcarthusianorum\tsubsp. saxigenus\t\t(Schur) Čelak.\t212\r\n"
            "4\t1\tDianthus\t×courtoisii\t\tRchb.\t\t-1\r\n"
            "\r\n"
            "5\t1\tDianthus\tcarthusianorum\t\tSchur\t\t211\r\n\r\n");
        tables.writeText("syns.tsv", "PN_REC\tSYN\n3\tDianthus saxigenus\n\n");
        TableImport::importTables(tables.path("names.tsv"), tables.path("syns.tsv"),
                                  tables.folder());

        const QStringList rows = TestTables::rowsOf(
            tables.folder(), "plantnames.db",
            {"LEVEL_", "GENUS", "SPECIES", "SUBSP", "AUTOR0", "AUTOR1", "PAGE", "PN_REC"},
            "PN_REC");
        QCOMPARE(rows,
                 QStringList({"0|Dianthus|||||210|1", "1|Dianthus|carthusianorum||L.||211|2",
                              "2|Dianthus|carthusianorum|subsp. saxigenus||(Schur) Čelak.|212|3",
                              "1|Dianthus|×courtoisii||Rchb.||-1|4",
                              "1|Dianthus|carthusianorum||Schur||211|5"}));
        QCOMPARE(TestTables::rowsOf(tables.folder(), "syns.db", {"syn", "pn_rec"}, "syn"),
                 QStringList({"Dianthus saxigenus|3"}));
        QDir folder(tables.folder());
        QCOMPARE(folder.entryList({"*.tmp"}, QDir::Files), QStringList());
    }

    void importedTablesAreProtected() {
        TestTables tables;
        tables.importRows({genusRow, speciesRow}, {"Dianthus carthusianus\t2"});
        for (const QString file : {"plantnames.db", "syns.db"}) {
            NameSource source;
            source.setParam("PATH", tables.folder() + '/');
            source.connect();
            QVERIFY_THROWS_EXCEPTION(EngineError, source.attach(file));
        }
    }

    // A bad row names the file and line, and leaves the earlier tables exactly as they were.
    void badRowStopsTheImport_data() {
        QTest::addColumn<QByteArray>("names");
        QTest::addColumn<QString>("synonyms");
        QTest::addColumn<QString>("expected");
        const QByteArray good =
            (TestTables::nameHeader() + '\n' + genusRow + '\n' + speciesRow + '\n').toUtf8();
        const QString goodSyns = "syn\tpn_rec\nDianthus carthusianus\t2\n";
        QTest::newRow("empty file") << QByteArray() << goodSyns << "names.tsv:1: soubor je prázdný";
        QTest::newRow("missing column")
            << QByteArray("LEVEL_\tGENUS\tSPECIES\tSUBSP\tAUTOR0\tAUTOR1\tPN_REC\n") << goodSyns
            << "names.tsv:1: chybí sloupec PAGE";
        QTest::newRow("missing synonym column") << good << "syn\nDianthus x\n"
                                                << "syns.tsv:1: chybí sloupec pn_rec";
        QTest::newRow("unknown column") << (TestTables::nameHeader() + "\tFAMILY\n").toUtf8()
                                        << goodSyns << "names.tsv:1: neznámý sloupec „FAMILY“";
        QTest::newRow("column twice")
            << ("GENUS\t" + TestTables::nameHeader() + '\n').toUtf8() << goodSyns
            << "names.tsv:1: sloupec GENUS je v prvním řádku dvakrát";
        QTest::newRow("short row")
            << good + "1\tDianthus\tarmeria\tL.\t\t213\t4\n"
            << goodSyns << "names.tsv:4: počet polí oddělených tabulátorem: 7, má být 8";
        QTest::newRow("level 3") << good + "3\tDianthus\tarmeria\t\tL.\t\t213\t4\n"
                                 << goodSyns
                                 << "names.tsv:4: LEVEL_ musí být celé číslo od 0 do 2, ne „3“";
        QTest::newRow("page not a number") << good + "1\tDianthus\tarmeria\t\tL.\t\t21a\t4\n"
                                           << goodSyns << "names.tsv:4: PAGE musí být celé číslo";
        QTest::newRow("page beyond 32 bits")
            << good + "1\tDianthus\tarmeria\t\tL.\t\t4294967296\t4\n"
            << goodSyns << "names.tsv:4: PAGE musí být celé číslo";
        QTest::newRow("record used twice")
            << good + "1\tDianthus\tarmeria\t\tL.\t\t213\t2\n"
            << goodSyns << "names.tsv:4: PN_REC 2 už má dřívější řádek";
        QTest::newRow("no genus") << good + "1\t\tarmeria\t\tL.\t\t213\t4\n"
                                  << goodSyns << "names.tsv:4: GENUS je prázdné";
        QTest::newRow("species row without epithet")
            << good + "1\tDianthus\t\t\tL.\t\t213\t4\n"
            << goodSyns << "names.tsv:4: SPECIES je prázdné";
        QTest::newRow("genus row with epithet") << good + "0\tSilene\tnutans\t\t\t\t300\t4\n"
                                                << goodSyns << "names.tsv:4: řádek rodu";
        QTest::newRow("species without genus row") << good + "1\tSilene\tnutans\t\tL.\t\t300\t4\n"
                                                   << goodSyns << "names.tsv:4: druh rodu „Silene“";
        QTest::newRow("subspecies without species row")
            << good + "2\tDianthus\tarmeria\tsubsp. x\t\tL.\t300\t4\n"
            << goodSyns << "names.tsv:4: poddruh druhu „Dianthus armeria“";
        QTest::newRow("invalid UTF-8") << good + "1\tDianthus\tarm\xE9ria\t\tL.\t\t213\t4\n"
                                       << goodSyns << "names.tsv:4: řádek není platný text UTF-8";
        QTest::newRow("NUL byte") << good +
                                         QByteArray("1\tDianthus\tarm\0ria\t\tL.\t\t213\t4\n", 26)
                                  << goodSyns << "names.tsv:4: řádek obsahuje bajt NUL";
        QTest::newRow("genus twice") << good + "0\tDianthus\t\t\t\t\t300\t4\n"
                                     << goodSyns << "names.tsv:4: totéž jméno jako na řádku 2";
        QTest::newRow("species twice, later than a homonym")
            << good + "1\tDianthus\tcarthusianorum\t\tSchur\t\t300\t4\n" +
                   "1\tDianthus\tcarthusianorum\t\tL.\t\t300\t5\n"
            << goodSyns << "names.tsv:5: totéž jméno jako na řádku 3";
        const QString longText(200, 'x');
        QTest::newRow("long field quoted in part")
            << good + ("1\tDianthus\tarmeria\t\tL.\t\t" + longText + "\t4\n").toUtf8() << goodSyns
            << "names.tsv:4: PAGE musí být celé číslo od -2147483648 do 2147483647, ne „" +
                   longText.first(80) + "…“";
        QTest::newRow("line over 1 MiB")
            << good + "1\tDianthus\t" + QByteArray(1 << 20, 'a') + "\t\tL.\t\t213\t4\n"
            << goodSyns << "names.tsv:4: řádek je delší než 1 MiB";
        QTest::newRow("CR alone") << QByteArray(good).replace('\n', '\r') << goodSyns
                                  << "names.tsv:1: řádky souboru končí samotným znakem CR";
        QTest::newRow("synonym of no row") << good << "syn\tpn_rec\nDianthus x\t2\nDianthus y\t9\n"
                                           << "syns.tsv:3: pn_rec 9 nevede k žádnému řádku";
        QTest::newRow("empty synonym") << good << "syn\tpn_rec\n\t2\n"
                                       << "syns.tsv:2: syn je prázdné";
    }

    void badRowStopsTheImport() {
        QFETCH(QByteArray, names);
        QFETCH(QString, synonyms);
        QFETCH(QString, expected);
        TestTables tables;
        tables.importRows({genusRow, speciesRow, subspRow}, {"Dianthus carthusianus\t2"});
        const QByteArray namesBefore = TestTables::digestOf(tables.path("plantnames.db"));
        const QByteArray synonymsBefore = TestTables::digestOf(tables.path("syns.db"));

        QFile namesFile(tables.path("names.tsv"));
        QVERIFY(namesFile.open(QIODevice::WriteOnly));
        namesFile.write(names);
        namesFile.close();
        tables.writeText("syns.tsv", synonyms);
        try {
            TableImport::importTables(tables.path("names.tsv"), tables.path("syns.tsv"),
                                      tables.folder());
            QFAIL("the import took a bad row");
        } catch (const ImportError& error) {
            const QString message = QString::fromUtf8(error.what());
            QVERIFY2(message.startsWith(tables.folder() + '/' + expected), qPrintable(message));
            QVERIFY2(message.size() < 400, "an error quotes a bad field in part only");
            QVERIFY2(!message.contains("meta.xml"), "a tab-separated file has no meta.xml");
        }
        QCOMPARE(TestTables::digestOf(tables.path("plantnames.db")), namesBefore);
        QCOMPARE(TestTables::digestOf(tables.path("syns.db")), synonymsBefore);
        QCOMPARE(QDir(tables.folder()).entryList({"*.tmp"}, QDir::Files), QStringList());
    }

    // The input is read as a stream: a file cut short while it is read is an error, not a
    // shorter list, and the earlier tables stay.
    void inputCutShortStopsTheImport() {
        TestTables tables;
        tables.importRows({genusRow, speciesRow});
        const QByteArray namesBefore = TestTables::digestOf(tables.path("plantnames.db"));
        QStringList rows{genusRow};
        for (int record = 2; record < 250000; ++record)
            rows.append(QString("1\tDianthus\ts%1\t\tL.\t\t0\t%1").arg(record));
        tables.writeText("names.tsv", (QStringList{TestTables::nameHeader()} + rows).join('\n'));
        tables.writeText("syns.tsv", TestTables::synonymHeader() + '\n');
        const qint64 size = QFileInfo(tables.path("names.tsv")).size();
        bool cut = false;
        try {
            TableImport::importTables(
                tables.path("names.tsv"), tables.path("syns.tsv"), tables.folder(),
                [&](ImportPhase, qint64 done, qint64, qint64) {
                    if (done > size / 2 && !cut)
                        cut = QFile::resize(tables.path("names.tsv"), size - 1000);
                });
            QFAIL("the import took a file cut short");
        } catch (const ImportError& error) {
            QVERIFY2(QString(error.what()).contains("soubor se během čtení zkrátil"), error.what());
        }
        QCOMPARE(TestTables::digestOf(tables.path("plantnames.db")), namesBefore);
    }

    // A finished table is flushed and opened to all through its own file only: a link put in
    // its place is not followed, and the import fails.
    void finishedTableIsNeverReachedThroughALink() {
        TestTables tables;
        const QTemporaryDir outside;
        const QString victim = outside.filePath("victim");
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("the user's own") > 0);
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        TableWriter writer(tables.folder(), TableSchema::synonyms(), QString());
        QVERIFY(QFile::remove(writer.tempPath()) && QFile::link(victim, writer.tempPath()));

        QVERIFY_THROWS_EXCEPTION(EngineError, writer.finish());
        QCOMPARE(QFileInfo(victim).permissions() & (QFile::ReadGroup | QFile::ReadOther),
                 QFile::Permissions());
    }

    // A copy of the tables into a folder of their own takes both files or neither, and never
    // replaces a table that is there.
    void pairCopiesWholeOrNotAtAll_data() {
        QTest::addColumn<QString>("there");
        QTest::addColumn<QString>("missing");
        QTest::newRow("into a new folder") << QString() << QString();
        QTest::newRow("name table there") << "plantnames.db" << QString();
        QTest::newRow("synonym table there") << "syns.db" << QString();
        QTest::newRow("synonyms missing") << QString() << "syns.db";
        QTest::newRow("names missing") << QString() << "plantnames.db";
    }

    void pairCopiesWholeOrNotAtAll() {
        QFETCH(QString, there);
        QFETCH(QString, missing);
        TestTables tables;
        tables.importRows({genusRow, speciesRow}, {"Dianthus carthusianus\t2"});
        if (!missing.isEmpty())
            QVERIFY(QFile::remove(tables.path(missing)));
        const QDir copy(tables.path("copy"));
        if (!there.isEmpty()) {
            QVERIFY(copy.mkpath("."));
            QFile file(copy.filePath(there));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("the user's own") > 0);
        }
        const QByteArray ownBefore = TestTables::digestOf(copy.filePath(there));
        const bool copied = there.isEmpty() && missing.isEmpty();
        try {
            TablePair::copy(tables.folder(), copy.path());
            QVERIFY(copied);
        } catch (const EngineError& error) {
            QVERIFY2(!copied, qPrintable(error.message()));
        }
        QStringList expected;
        if (copied)
            expected = QStringList{"plantnames.db", "syns.db"};
        else if (!there.isEmpty())
            expected = QStringList{there};
        QCOMPARE(copy.entryList(QDir::Files), expected);
        for (const QString& file : expected) {
            QCOMPARE(TestTables::digestOf(copy.filePath(file)),
                     copied ? TestTables::digestOf(tables.path(file)) : ownBefore);
        }
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
