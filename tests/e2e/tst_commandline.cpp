#include "e2e/XSession.h"

#include <QFileInfo>
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

    // A command line that cannot be used is named, with the way to help, and ends with 2.
    void unusableCommandLineEndsWithTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "„frobnicate“";
        QTest::newRow("folder missing") << QStringList{"--tables"} << "--tables";
        QTest::newRow("a file") << QStringList{"names.tsv"} << "„names.tsv“";
    }
    void unusableCommandLineEndsWithTwo() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        QProcessEnvironment env = withoutDisplay();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        const Run result = run(NARDEL_PROGRAM, arguments, env);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains("nardel: ") && result.err.contains(named) &&
                     result.err.contains("nardel --help"),
                 qPrintable(result.err));
        QCOMPARE(result.out, QString());
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
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
