#include "e2e/XSession.h"
#include "support/TestTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run run(const QString& program, const QStringList& arguments, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// An environment without any display: a program that starts its window there fails.
QProcessEnvironment withoutDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    return env;
}

// Imports a genus with `species` and its synonym into `folder`.
Run importSpecies(const QString& folder, const QString& species, const QProcessEnvironment& env) {
    QFile names(folder + "/names.tsv"), synonyms(folder + "/syns.tsv");
    if (!names.open(QIODevice::WriteOnly) || !synonyms.open(QIODevice::WriteOnly))
        return {};
    names.write(("LEVEL_\tGENUS\tSPECIES\tSUBSP\tAUTOR0\tAUTOR1\tPAGE\tPN_REC\n"
                 "0\tPicea\t\t\t\t\t1\t1\n1\tPicea\t" +
                 species + "\t\tL.\t\t2\t2\n")
                    .toUtf8());
    synonyms.write(("syn\tpn_rec\nPinus " + species + "\t2\n").toUtf8());
    names.close();
    synonyms.close();
    return run(NARDEL_IMPORT, {names.fileName(), synonyms.fileName(), folder}, env);
}

// A small checklist archive of our own, cited in its eml.xml as "TITLE (YEAR)".
void writeChecklist(const QString& folder, const QString& title) {
    QDir().mkpath(folder);
    const QByteArray dwc = "http://rs.tdwg.org/dwc/terms/";
    const QList<std::pair<QString, QByteArray>> files = {
        {"meta.xml", "<archive xmlns=\"http://rs.tdwg.org/dwc/text/\"><core rowType=\"" + dwc +
                         "Taxon\" fieldsTerminatedBy=\"\\t\" fieldsEnclosedBy=\"\" "
                         "ignoreHeaderLines=\"1\"><files><location>taxa.txt</location></files>"
                         "<id index=\"0\"/><field index=\"1\" term=\"" +
                         dwc +
                         "scientificName\"/>"
                         "<field index=\"2\" term=\"" +
                         dwc + "taxonRank\"/></core></archive>"},
        {"taxa.txt", "id\tname\trank\n1\tAbies alba Mill.\tspecies\n"
                     "2\tAbies alba subsp. apennina Ferrazzini\tsubspecies\n"},
        {"eml.xml", "<eml><dataset><title>" + title.toUtf8() +
                        "</title><pubDate>2002-01-01</pubDate></dataset></eml>"}};
    for (const auto& [name, text] : files) {
        QFile file(folder + '/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
}

// The page label of the main window after its start, from a picture of the window.
QImage pageLabel(XSession& session) {
    const QString window = session.findWindow("^Nardel Pro$");
    QTemporaryDir dir;
    const QString picture = dir.filePath("window.png");
    // The label as laid out (96, 64), to the next button.
    const QRect label(96, 64, 158, 14);
    QImage before;
    for (int tries = 0; tries < 20; ++tries) {
        QTest::qWait(200);
        session.run(NARDEL_GRAB_WINDOW, {window, picture});
        const QImage now = QImage(picture).copy(label);
        if (!now.isNull() && now == before)
            return now;
        before = now;
    }
    return {};
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    // Help and version print and end, before any window or display is needed.
    void answersWithoutAWindow_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("printed");
        QTest::newRow("--help") << NARDEL_PROGRAM << QStringList{"--help"} << "--tables SLOŽKA";
        QTest::newRow("-h") << NARDEL_PROGRAM << QStringList{"-h"} << "--tables SLOŽKA";
        QTest::newRow("help beside a toolkit option")
            << NARDEL_PROGRAM << QStringList{"-style", "fusion", "--help"} << "--tables SLOŽKA";
        QTest::newRow("--version")
            << NARDEL_PROGRAM << QStringList{"--version"} << "Nardel " NARDEL_VERSION "\n";
        QTest::newRow("import --help")
            << NARDEL_IMPORT << QStringList{"--help"} << "syn, pn_rec (PN_REC přijatého jména)";
        QTest::newRow("check --help")
            << NARDEL_CHECK << QStringList{"--help"} << "--no-misspellings";
    }
    void answersWithoutAWindow() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, printed);
        const Run result = run(program, arguments, withoutDisplay());
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains(printed), qPrintable(result.out));
        QCOMPARE(result.err, QString());
    }

    // A command line that cannot be used is named in Czech, with the way to help, and ends
    // with 2, with no display to start the toolkit on ("" leaves QT_QPA_PLATFORM unset).
    void unusableCommandLineEndsWithTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown option") << QStringList{"--no-such-option"} << ""
                                        << "„--no-such-option“";
        QTest::newRow("unknown option, xcb") << QStringList{"--no-such-option"} << "xcb"
                                             << "neznámá volba";
        QTest::newRow("unknown option beside a toolkit option")
            << QStringList{"-style", "fusion", "--frobnicate"} << ""
            << "„--frobnicate“";
        QTest::newRow("folder missing") << QStringList{"--tables"} << ""
                                        << "chybí složka";
        QTest::newRow("folder empty") << QStringList{"--tables="} << "xcb"
                                      << "chybí složka";
        QTest::newRow("value given to --version") << QStringList{"--version=2"} << ""
                                                  << "nemá hodnotu";
        QTest::newRow("toolkit option's value missing") << QStringList{"-platform"} << "xcb"
                                                        << "-platform chybí hodnota";
        QTest::newRow("a file") << QStringList{"names.tsv"} << "offscreen"
                                << "„names.tsv“";
    }
    void unusableCommandLineEndsWithTwo() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, platform);
        QFETCH(QString, named);
        QProcessEnvironment env = withoutDisplay();
        if (!platform.isEmpty())
            env.insert("QT_QPA_PLATFORM", platform);
        const Run result = run(NARDEL_PROGRAM, arguments, env);
        QVERIFY2(result.err.contains("nardel: ") && result.err.contains(named) &&
                     result.err.contains("Nápovědu vypíše nardel --help."),
                 qPrintable(result.err));
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QString());
    }

    // nardel-check lists a document's names, or writes it back with them in italics; a file
    // it cannot read ends it with 2. It needs no display.
    void checkListsTheNamesOfADocument_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");
        QTest::newRow("names as tab-separated lines")
            << QStringList() << "text.txt" << 0
            << "1\tPicea abies (L.) H.Karst.\tPicea abies (L.) H.Karst.\tpřijaté\n"
               "2\tPicea excelsa\tPicea excelsa\tsynonymum → Picea abies\n";
        QTest::newRow("the text in HTML")
            << QStringList{"--format", "html"} << "text.txt" << 0
            << "Smrk <i>Picea abies</i> (L.) H.Karst.</span></p><p><span "
               "style=\"font-style:normal;white-space:pre-wrap\">Dříve <i>Picea excelsa</i>.";
        QTest::newRow("a file that is not there")
            << QStringList() << "missing.txt" << 2 << "nardel-check: ";
    }
    void checkListsTheNamesOfADocument() {
        QFETCH(QStringList, options);
        QFETCH(QString, file);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        QTemporaryDir dir;
        QFile text(dir.filePath("text.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Smrk Picea abies (L.) H.Karst.\nDříve Picea excelsa.\n");
        text.close();
        const Run result =
            run(NARDEL_CHECK,
                QStringList{"--tables", NARDEL_TABLES} + options + QStringList{dir.filePath(file)},
                withoutDisplay());
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2((exitCode == 0 ? result.out : result.err).contains(printed),
                 qPrintable(result.out + result.err));
    }

    // With no display to reach, the program says so in Czech and ends with 1, not an abort.
    void withoutADisplayTheProgramSaysSo_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("no display set") << "";
        QTest::newRow("display not running") << ":97";
    }
    void withoutADisplayTheProgramSaysSo() {
        QFETCH(QString, display);
        QProcessEnvironment env = withoutDisplay();
        if (!display.isEmpty())
            env.insert("DISPLAY", display);
        const Run result = run(NARDEL_PROGRAM, {}, env);
        QVERIFY2(result.err.contains("Nardel se nemůže spojit s grafickým prostředím"),
                 qPrintable(result.err));
        QCOMPARE(result.exitCode, 1);
    }

    // The tables named on the command line open although none lie beside the program.
    void tablesOptionNamesTheFolder() {
        XSession session;
        QVERIFY2(session.isRunning(), "Xvfb did not start");
        session.copyIntoProgramFolder(NARDEL_PROGRAM);
        session.runProgram(session.programFolder() + "/nardel", {"--tables", NARDEL_TABLES});
        QVERIFY2(session.dismissInfoWindow(), "the info window did not come and go");
        QVERIFY(XSession::waitFor([&] { return !session.findWindow("^Nardel Pro$").isEmpty(); }));
        QVERIFY(session.findWindow("^Error$").isEmpty());
    }

    // Without a folder, the import writes the user's own folder, made on the way.
    void importWritesTheUsersFolder() {
        QTemporaryDir dataHome;
        QProcessEnvironment env = withoutDisplay();
        env.insert("XDG_DATA_HOME", dataHome.path());
        const QString data = QStringLiteral(NARDEL_SOURCE_DIR "/data/");
        const Run result = run(NARDEL_IMPORT, {data + "plantnames.tsv", data + "syns.tsv"}, env);
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        for (const char* table : {"/nardel/plantnames.db", "/nardel/syns.db"})
            QVERIFY2(QFileInfo(dataHome.path() + table).isFile(), table);
    }

    // An import ends with what it wrote, or with what is wrong and what to do; a folder to
    // write is made, a missing second file is no archive.
    void importTellsTheUser_data() {
        QTest::addColumn<QString>("badRow");
        QTest::addColumn<QStringList>("arguments"); // files in the test's folder
        QTest::addColumn<QString>("folder");        // where the tables go
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("told");
        const QStringList tsv{"names.tsv", "syns.tsv"};
        QTest::newRow("summary") << QString() << tsv + QStringList{"."} << "." << 0
                                 << QStringList{"Přijatá jména: rody 1, druhy 1, taxony pod úrovní "
                                                "druhu 1\nSynonyma: 2\n",
                                                "--tables "};
        QTest::newRow("into the user's folder")
            << QString() << tsv << "data/nardel" << 0
            << QStringList{"Synonyma: 2\n", "při příštím spuštění"};
        QTest::newRow("folder to make") << QString() << tsv + QStringList{"new/tables"}
                                        << "new/tables" << 0 << QStringList{"/new/tables."};
        QTest::newRow("missing second file")
            << QString() << QStringList{"names.tsv", "missing.tsv"} << "data/nardel" << 1
            << QStringList{"missing.tsv: soubor synonym (druhý soubor) neexistuje"};
        QTest::newRow("bad line") << "3\tPicea\tpungens\t\tEngelm.\t\t4\t4"
                                  << tsv + QStringList{"."} << "." << 1
                                  << QStringList{"names.tsv:5: LEVEL_ musí být celé číslo od 0 do "
                                                 "2, ne „3“",
                                                 "Opravte to a spusťte import znovu"};
        QTest::newRow("zip cut short, folder to make")
            << QString() << QStringList{"cut.zip", "new/tables"} << "new/tables" << 1
            << QStringList{"cut.zip: archiv zip je poškozený"};
    }
    void importTellsTheUser() {
        QFETCH(QString, badRow);
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        QFETCH(int, exitCode);
        QFETCH(QStringList, told);
        QTemporaryDir dir;
        QProcessEnvironment env = withoutDisplay();
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        QFile names(dir.filePath("names.tsv")), syns(dir.filePath("syns.tsv"));
        QFile zip(dir.filePath("cut.zip"));
        QVERIFY(names.open(QIODevice::WriteOnly) && syns.open(QIODevice::WriteOnly) &&
                zip.open(QIODevice::WriteOnly));
        names.write(("LEVEL_\tGENUS\tSPECIES\tSUBSP\tAUTOR0\tAUTOR1\tPAGE\tPN_REC\n"
                     "0\tPicea\t\t\t\t\t1\t1\n1\tPicea\tabies\t\tL.\t\t2\t2\n"
                     "2\tPicea\tabies\tsubsp. obovata\t\t(Ledeb.) Hultén\t3\t3\n" +
                     (badRow.isEmpty() ? QString() : badRow + '\n'))
                        .toUtf8());
        syns.write("syn\tpn_rec\nPinus abies\t2\nPicea obovata\t3\n");
        // The head of a zip's first entry, without the directory at its end.
        zip.write(QByteArray("PK\x03\x04") + QByteArray(60, '\x11'));
        names.close();
        syns.close();
        zip.close();
        for (QString& argument : arguments)
            argument = dir.filePath(argument);
        const Run result = run(NARDEL_IMPORT, arguments, env);
        QVERIFY2(result.exitCode == exitCode, qPrintable(result.err));
        for (const QString& text : told)
            QVERIFY2((result.out + result.err).contains(text), qPrintable(result.out + result.err));
        QCOMPARE(QFileInfo(dir.filePath(folder) + "/plantnames.db").isFile(), exitCode == 0);
    }

    // A killed import leaves both old tables, or, killed between renaming its two tables, one
    // new and one old; the next import, or the next start of the program, puts the second
    // new one in place, and the next import removes the files a killed one left.
    void killedImportIsCompleted_data() {
        QTest::addColumn<QString>("killedAt");
        QTest::addColumn<bool>("byProgram");
        QTest::addColumn<bool>("swapped");
        QTest::newRow("between the tables, next import") << "/syns.db" << false << true;
        QTest::newRow("between the tables, next start") << "/syns.db" << true << true;
        QTest::newRow("before the swap, next import") << "/.nardel-import.swap" << false << false;
    }

    void killedImportIsCompleted() {
        QFETCH(QString, killedAt);
        QFETCH(bool, byProgram);
        QFETCH(bool, swapped);
        QTemporaryDir folder;
        QVERIFY(importSpecies(folder.path(), "abies", withoutDisplay()).exitCode == 0);
        const QString names = folder.filePath("plantnames.db"),
                      synonyms = folder.filePath("syns.db");
        const QByteArray oldNames = TestTables::digestOf(names);
        const QByteArray oldSynonyms = TestTables::digestOf(synonyms);

        QProcessEnvironment killing = withoutDisplay();
        killing.insert("LD_PRELOAD", NARDEL_KILL_ON_RENAME);
        killing.insert("NARDEL_KILL_ON_RENAME_TO", killedAt);
        QCOMPARE(importSpecies(folder.path(), "omorika", killing).exitCode, -1);
        const QByteArray namesAfterKill = TestTables::digestOf(names);
        QCOMPARE(namesAfterKill != oldNames, swapped);
        QCOMPARE(TestTables::digestOf(synonyms), oldSynonyms);

        if (byProgram) {
            XSession session;
            QVERIFY2(session.isRunning(), "Xvfb did not start");
            session.runProgram(NARDEL_PROGRAM, {"--tables", folder.path()});
            QVERIFY2(session.dismissInfoWindow(), "the info window did not come and go");
        } else {
            // An import that fails on its input still completes the earlier one first.
            QVERIFY(run(NARDEL_IMPORT, {"/nonexistent.tsv", "/nonexistent.tsv", folder.path()},
                        withoutDisplay())
                        .exitCode == 1);
        }
        QCOMPARE(TestTables::digestOf(names), namesAfterKill);
        QCOMPARE(TestTables::digestOf(synonyms) != oldSynonyms, swapped);
        QCOMPARE(QDir(folder.path()).entryList({"*.tmp", "*.swap"}, QDir::Files | QDir::Hidden),
                 QStringList());
    }
    // An imported checklist's citation heads the page label: a checklist that cites itself as
    // the bundled list does shows the bundled list's label to the pixel, another one does not.
    void importedChecklistShowsItsCitation() {
        QTemporaryDir dir;
        QImage labels[3];
        const QStringList titles = {QString(), "Valmor", "Květena pokusná"};
        for (int at = 0; at < 3; ++at) {
            XSession session;
            QVERIFY2(session.isRunning(), "Xvfb did not start");
            session.copyIntoProgramFolder(NARDEL_PROGRAM);
            QStringList arguments;
            if (titles[at].isEmpty()) {
                session.copyBundledTables();
            } else {
                const QString archive = dir.filePath(QString("archive%1").arg(at));
                const QString tables = dir.filePath(QString("tables%1").arg(at));
                writeChecklist(archive, titles[at]);
                QVERIFY(QDir().mkpath(tables));
                const Run result =
                    run(NARDEL_IMPORT, {"--quiet", archive, tables}, withoutDisplay());
                QVERIFY2(result.exitCode == 0, qPrintable(result.err));
                arguments = {"--tables", tables};
            }
            session.runProgram(session.programFolder() + "/nardel", arguments);
            QVERIFY2(session.dismissInfoWindow(), "the info window did not come and go");
            QVERIFY(
                XSession::waitFor([&] { return !session.findWindow("^Nardel Pro$").isEmpty(); }));
            labels[at] = pageLabel(session);
            QVERIFY2(!labels[at].isNull(), "the window's picture did not settle");
        }
        QCOMPARE(labels[1], labels[0]);
        QVERIFY(labels[2] != labels[0]);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
