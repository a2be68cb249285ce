#include "store/EngineError.h"
#include "store/NameList.h"
#include "store/NameSource.h"
#include "store/Query.h"
#include "store/TablePassword.h"
#include "support/TestTables.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/stat.h>

namespace {

const QStringList sampleNames = {
    "0\tPulsatilla\t\t\t\t\t512\t1",
    "1\tPulsatilla\tpratensis\t\t(L.) Mill.\t\t513\t2",
    "2\tPulsatilla\tpratensis\tsubsp. bohemica\t\tSkalický\t513\t3",
    "1\tPulsatilla\tvernalis\t\t(L.) Mill.\t\t514\t4",
    "0\tSalix\t\t\t\t\t90\t5",
    "1\tSalix\t×rubens\t\tSchrank\t\t95\t6",
    "1\tCerastium\tarvense\t\tL.\t\t300\t7",
    "0\tCerastium\t\t\t\t\t299\t8",
};
const QStringList sampleSynonyms = {"Anemone pratensis\t2", "anemone vernalis\t4"};

QStringList speciesOfGenus(NameSource& source, const QString& genus) {
    Query query(source);
    query.addSqlLine("SELECT * FROM 'plantnames.db'");
    query.addSqlLine("WHERE (LEVEL_=1)");
    query.addSqlLine("AND (GENUS= :genus)");
    query.addSqlLine("ORDER BY SPECIES");
    query.defineParam("genus", Query::ParamType::Text);
    query.prepare();
    query.setParam("genus", genus);
    query.open();
    QStringList rows;
    for (query.first(); !query.eof(); query.next())
        rows.append(query.field(query.fieldIndex("species")).asString() + '|' +
                    query.field(query.fieldIndex("AUTOR0")).asString() + '|' +
                    QString::number(query.field(query.fieldIndex("page")).asInteger()));
    return rows;
}

void connectTo(NameSource& source, const QString& folder, const QString& password) {
    source.setParam("PATH", folder + '/');
    source.connect();
    if (!password.isEmpty())
        source.addPassword(password);
}

// The sample tables, and a connection to them that holds the program's password.
struct SampleSource {
    TestTables tables;
    NameSource source;

    SampleSource() {
        tables.importRows(sampleNames, sampleSynonyms);
        connectTo(source, tables.folder(), TablePassword::programPassword);
    }
};

// The texts of a list, and one past its end, which reads as empty.
QStringList textsOf(const Utf8List& list) {
    QStringList texts;
    for (qsizetype at = 0; at <= list.size(); ++at)
        texts.append(list.value(at));
    return texts;
}

} // namespace

class TestQuery : public QObject {
    Q_OBJECT

private slots:
    void preparedQueryRunsAgainWithNewParameters() {
        SampleSource sample;
        NameSource& source = sample.source;

        QCOMPARE(speciesOfGenus(source, "Pulsatilla"),
                 QStringList({"pratensis|(L.) Mill.|513", "vernalis|(L.) Mill.|514"}));
        QCOMPARE(speciesOfGenus(source, "Salix"), QStringList({"×rubens|Schrank|95"}));
        QCOMPARE(speciesOfGenus(source, "pulsatilla"), QStringList());
        QCOMPARE(speciesOfGenus(source, "Nowhere"), QStringList());
    }

    void walkCountsAndReadsByPosition() {
        SampleSource sample;
        NameSource& source = sample.source;
        Query query(source);
        query.addSqlLine("SELECT * FROM 'plantnames.db'");
        query.addSqlLine("WHERE (LEVEL_=0)");
        query.addSqlLine("ORDER BY GENUS");
        query.open();
        QCOMPARE(query.recordCount(), 3);
        QStringList genera;
        for (query.first(); !query.eof(); query.next())
            genera.append(query.field(1).asString());
        QCOMPARE(genera, QStringList({"Cerastium", "Pulsatilla", "Salix"}));
        QVERIFY(query.eof());
        query.next(); // a step past the end stays at the end
        QVERIFY(query.eof());
        query.first();
        QCOMPARE(query.field(query.fieldIndex("PN_REC")).asInteger(), 8);
        query.close();
        QVERIFY_THROWS_EXCEPTION(EngineError, query.recordCount());
    }

    // The table files that a query attaches: named in single quotes after FROM or JOIN.
    void tablesNamedIn_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("tables");
        QTest::newRow("from") << "SELECT * FROM 'plantnames.db'" << QStringList{"plantnames.db"};
        QTest::newRow("join, any case, line breaks, once each")
            << "select * from\n\t'syns.db' s Join  'plantnames.db' p ON 1 JOIN 'syns.db'"
            << QStringList{"syns.db", "plantnames.db"};
        QTest::newRow("not a word of its own")
            << "SELECT * XFROM 'a.db' FROM_ 'b.db'" << QStringList{};
        QTest::newRow("no blank, no quote, empty or open name")
            << "SELECT 1 FROM'a.db' FROM b.db FROM '' FROM 'c.db" << QStringList{};
        QTest::newRow("at the very end") << "FROM" << QStringList{};
    }
    void tablesNamedIn() {
        QFETCH(QString, sql);
        QFETCH(QStringList, tables);
        QCOMPARE(Query::tablesNamedIn(sql), tables);
    }

    // A list's rows go straight into its entries, whose texts outlive the query's next run.
    void listRowsAreReadOnce() {
        SampleSource sample;
        Query query(sample.source);
        query.addSqlLine("SELECT * FROM 'plantnames.db'");
        query.addSqlLine("WHERE (LEVEL_=1) ORDER BY SPECIES");
        NameList first;
        appendRows(query, "species", "autor0", "PAGE", first);
        NameList again = NameList::withBlankEntry();
        appendRows(query, "SPECIES", QString(), "page", again);
        QCOMPARE(textsOf(first.texts),
                 QStringList({"arvense", "pratensis", "vernalis", "×rubens", ""}));
        QCOMPARE(textsOf(first.authors),
                 QStringList({"L.", "(L.) Mill.", "(L.) Mill.", "Schrank", ""}));
        QCOMPARE(first.pages, QList<int>({300, 513, 514, 95}));
        QCOMPARE(textsOf(again.texts),
                 QStringList({"", "arvense", "pratensis", "vernalis", "×rubens", ""}));
        QCOMPARE(textsOf(again.authors), QStringList({"", ""}));
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 appendRows(query, "SPECIES", "AUTHOR", "PAGE", first));
        QCOMPARE(first.texts.size(), 4);
    }

    // A page is a whole number of 32 bits, whatever type the table gave it.
    void listPages_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("read"); // -1: refused
        QTest::newRow("integer") << "PAGE" << 513;
        QTest::newRow("text with blanks") << "' 513 '" << 513;
        QTest::newRow("real without fraction") << "513.0" << 513;
        QTest::newRow("null") << "NULL" << 0;
        QTest::newRow("words") << "'p. 513'" << -1;
        QTest::newRow("fraction") << "513.5" << -1;
        QTest::newRow("beyond 32 bits") << "4294967809" << -1;
        QTest::newRow("blob") << "x'35'" << -1;
    }
    void listPages() {
        QFETCH(QString, page);
        QFETCH(int, read);
        SampleSource sample;
        Query query(sample.source);
        query.addSqlLine("SELECT SPECIES, " + page + " AS PAGE FROM 'plantnames.db'");
        query.addSqlLine("WHERE PN_REC=2");
        NameList list;
        if (read < 0) {
            try {
                appendRows(query, "SPECIES", QString(), "PAGE", list);
                QFAIL("the page was taken");
            } catch (const EngineError& error) {
                QVERIFY2(error.message().contains("is not a valid integer value for field PAGE"),
                         qPrintable(error.message()));
            }
        } else {
            appendRows(query, "SPECIES", QString(), "PAGE", list);
            QCOMPARE(list.pages, QList<int>({read}));
        }
    }

    void synonymQueriesOfBothTablesShareTheConnection() {
        SampleSource sample;
        NameSource& source = sample.source;

        Query synonyms(source);
        synonyms.addSqlLine("select * from 'syns.db'");
        synonyms.addSqlLine("where syn LIKE :parname");
        synonyms.addSqlLine("ORDER BY syn");
        synonyms.setParam("parname", "ANEMONE%");
        synonyms.open();
        QCOMPARE(synonyms.recordCount(), 2);
        synonyms.first();
        const int record = synonyms.field(synonyms.fieldIndex("pn_rec")).asInteger();

        Query accepted(source);
        accepted.addSqlLine("select * from 'plantnames.db' where pn_rec=" +
                            QString::number(record));
        accepted.open();
        QCOMPARE(accepted.recordCount(), 1);
        QCOMPARE(accepted.field(accepted.fieldIndex("GENUS")).asString() + ' ' +
                     accepted.field(accepted.fieldIndex("SPECIES")).asString(),
                 QString("Pulsatilla pratensis"));

        Query words(source);
        words.addSqlLine("SELECT DISTINCT GENUS FROM 'plantnames.db'");
        words.addSqlLine("UNION SELECT DISTINCT SPECIES FROM 'plantnames.db'");
        words.addSqlLine("ORDER BY 1");
        words.open();
        QCOMPARE(words.recordCount(), 8); // the empty SPECIES of the genus rows is one word
    }

    // Fields are read as text or as integers whatever the file stores in them.
    void fieldsConvertToTextAndInteger_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("integer");
        QTest::addColumn<bool>("isInteger");
        QTest::newRow("null") << "NULL"
                              << "" << 0 << true;
        QTest::newRow("integer") << "512"
                                 << "512" << 512 << true;
        QTest::newRow("negative") << "-3"
                                  << "-3" << -3 << true;
        QTest::newRow("whole real") << "12.0"
                                    << "12" << 12 << true;
        QTest::newRow("fraction") << "12.5"
                                  << "12.5" << 0 << false;
        QTest::newRow("fraction in the fewest digits") << "0.1"
                                                       << "0.1" << 0 << false;
        QTest::newRow("number as text") << "' 42 '"
                                        << " 42 " << 42 << true;
        QTest::newRow("word") << "'xii'"
                              << "xii" << 0 << false;
        QTest::newRow("empty text") << "''"
                                    << "" << 0 << false;
        QTest::newRow("beyond 32 bits") << "4294967296"
                                        << "4294967296" << 0 << false;
        QTest::newRow("diacritics") << "'Čelak.'"
                                    << "Čelak." << 0 << false;
        // Longer than the eight bytes widened at a time, with a letter beyond ASCII after them.
        QTest::newRow("long text, diacritics late") << "'(Schur) Nyárády & Soó'"
                                                    << "(Schur) Nyárády & Soó" << 0 << false;
        QTest::newRow("long ASCII text") << "'Hieracium lachenalii subsp. x'"
                                         << "Hieracium lachenalii subsp. x" << 0 << false;
    }

    void fieldsConvertToTextAndInteger() {
        QFETCH(QString, stored);
        QFETCH(QString, text);
        QFETCH(int, integer);
        QFETCH(bool, isInteger);
        TestTables tables;
        tables.writeTable("plantnames.db",
                          {R"(CREATE TABLE "plantnames.db" (PAGE))",
                           R"(INSERT INTO "plantnames.db" VALUES ()" + stored + ")"},
                          QString());
        NameSource source;
        connectTo(source, tables.folder(), QString());
        Query query(source);
        query.addSqlLine("SELECT * FROM 'plantnames.db'");
        query.open();
        const Field page = query.field(query.fieldIndex("page"));
        QCOMPARE(page.asString(), text);
        if (isInteger)
            QCOMPARE(page.asInteger(), integer);
        else
            QVERIFY_THROWS_EXCEPTION(EngineError, page.asInteger());
    }

    // Every damaged, foreign or locked table ends in an engine error that names the file.
    void engineErrorsNameTheFile_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("readField");
        QTest::addColumn<QString>("expectedText");
        // The beginning of the plain words that come first, where there are any; the engine's
        // text is empty where the plain words say all.
        QTest::addColumn<QString>("explanation");
        const QString program = TablePassword::programPassword;
        QTest::newRow("missing file") << "remove" << program << "PAGE"
                                      << ""
                                      << "Soubor tabulky chybí.";
        QTest::newRow("folder") << "folder" << program << "PAGE"
                                << "Je tam složka."
                                << "Na místě souboru tabulky je něco jiného";
        QTest::newRow("pipe") << "fifo" << program << "PAGE"
                              << "Je tam pojmenovaná roura (FIFO)."
                              << "Na místě souboru tabulky je něco jiného";
        QTest::newRow("device") << "device" << program << "PAGE"
                                << "Je tam zařízení."
                                << "Na místě souboru tabulky je něco jiného";
        QTest::newRow("text file") << "text" << program << "PAGE"
                                   << "not a database"
                                   << "Soubor tabulky je poškozený";
        QTest::newRow("truncated") << "truncate" << program << "PAGE"
                                   << "malformed"
                                   << "Soubor tabulky je poškozený";
        QTest::newRow("no password in session") << ""
                                                << ""
                                                << "PAGE"
                                                << ""
                                                << "Tabulka je chráněna jiným heslem";
        QTest::newRow("another password") << ""
                                          << "tarvel1998"
                                          << "PAGE"
                                          << ""
                                          << "Tabulka je chráněna jiným heslem";
        QTest::newRow("file of another table") << "rename" << program << "PAGE"
                                               << "Chybí tabulka plantnames.db."
                                               << "Soubor tabulky neobsahuje tabulku";
        QTest::newRow("missing column") << "" << program << "PAGES"
                                        << "PAGES"
                                        << "Tabulce chybí pole";
        QTest::newRow("page is no number") << "badpage" << program << "PAGE"
                                           << "not a valid"
                                           << "V tabulce je v číselném poli text";
    }

    void engineErrorsNameTheFile() {
        QFETCH(QString, damage);
        QFETCH(QString, session);
        QFETCH(QString, readField);
        QFETCH(QString, expectedText);
        TestTables tables;
        tables.importRows(sampleNames, sampleSynonyms);
        const QString path = tables.path("plantnames.db");
        if (damage == "remove") {
            QVERIFY(QFile::remove(path));
        } else if (damage == "folder") {
            QVERIFY(QFile::remove(path) && QDir().mkdir(path));
        } else if (damage == "fifo") {
            QVERIFY(QFile::remove(path) &&
                    ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        } else if (damage == "device") {
            QVERIFY(QFile::remove(path) && QFile::link("/dev/null", path));
        } else if (damage == "text") {
            QFile::remove(path);
            tables.writeText("plantnames.db", "LEVEL_\tGENUS\n0\tAbies\n");
        } else if (damage == "truncate") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(file.size() / 2));
        } else if (damage == "rename") {
            QFile::remove(path);
            QVERIFY(QFile::copy(tables.path("syns.db"), path));
        } else if (damage == "badpage") {
            QFile::remove(path);
            tables.writeTable("plantnames.db",
                              {R"(CREATE TABLE "plantnames.db" (LEVEL_ INTEGER, PAGE TEXT))",
                               R"(INSERT INTO "plantnames.db" VALUES (0, 'xii'))"},
                              TablePassword::programPassword);
        }

        NameSource source;
        connectTo(source, tables.folder(), session);
        Query query(source);
        query.addSqlLine("SELECT * FROM 'plantnames.db'");
        query.addSqlLine("WHERE (LEVEL_=0)");
        try {
            query.open();
            for (query.first(); !query.eof(); query.next())
                query.field(query.fieldIndex(readField)).asInteger();
            QFAIL("no engine error");
        } catch (const EngineError& error) {
            // Plain words where there are any, then the engine's text, then the file on a
            // line of its own.
            QFETCH(QString, explanation);
            const QStringList lines = error.message().split('\n');
            QCOMPARE(lines.size(), explanation.isEmpty() || expectedText.isEmpty() ? 2 : 4);
            QVERIFY2(lines.first().startsWith(explanation), qPrintable(lines.first()));
            if (!expectedText.isEmpty()) {
                const QString engineText = lines[lines.size() - 2];
                QVERIFY2(engineText.contains(expectedText, Qt::CaseInsensitive),
                         qPrintable(engineText));
            }
            QCOMPARE(lines.last(), "Tabulka: " + path);
        }
        if (damage == "remove")
            QVERIFY2(!QFile::exists(path), "a failed attach created the table file");
    }

    void failedAttachCanBeRetriedOnceTheFileIsThere() {
        TestTables tables;
        NameSource source;
        connectTo(source, tables.folder(), TablePassword::programPassword);
        QVERIFY_THROWS_EXCEPTION(EngineError, source.attach("plantnames.db"));
        tables.importRows(sampleNames);
        Query query(source);
        query.addSqlLine("SELECT * FROM 'plantnames.db'");
        query.open();
        QCOMPARE(query.recordCount(), sampleNames.size());
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
