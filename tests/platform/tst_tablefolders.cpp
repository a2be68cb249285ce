#include "platform/TableFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTableFolders : public QObject {
    Q_OBJECT

private slots:
    // An installation laid out as prefix/bin and prefix/share/nardel, a user's data folder
    // and a chosen folder; the first of them that holds plantnames.db is used.
    void firstFolderWithTheNameTableWins_data() {
        QTest::addColumn<QStringList>("holding");
        QTest::addColumn<QString>("used");
        QTest::newRow("installed only")
            << QStringList{"prefix/share/nardel"} << "prefix/bin/../share/nardel";
        QTest::newRow("program folder over installed")
            << QStringList{"prefix/bin", "prefix/share/nardel"} << "prefix/bin";
        QTest::newRow("user's over program folder")
            << QStringList{"data/nardel", "prefix/bin"} << "data/nardel";
        QTest::newRow("chosen over user's") << QStringList{"chosen", "data/nardel"} << "chosen";
        QTest::newRow("none") << QStringList{} << QString();
    }
    void firstFolderWithTheNameTableWins() {
        QFETCH(QStringList, holding);
        QFETCH(QString, used);
        QTemporaryDir root;
        QDir(root.path()).mkpath("prefix/bin");
        // A synonym table alone does not make a table folder.
        for (const QString folder : {"chosen", "data/nardel", "prefix/share/nardel"}) {
            QDir(root.path()).mkpath(folder);
            QVERIFY(QFile(root.filePath(folder + "/syns.db")).open(QIODevice::WriteOnly));
        }
        for (const QString& folder : holding)
            QVERIFY(QFile(root.filePath(folder + "/plantnames.db")).open(QIODevice::WriteOnly));
        QProcessEnvironment environment;
        environment.insert("NARDEL_TABLES", root.filePath("chosen"));
        environment.insert("XDG_DATA_HOME", root.filePath("data"));
        environment.insert("HOME", root.filePath("home"));

        const QString found = firstFolderHolding(
            tableFolders(environment, root.filePath("prefix/bin")), "plantnames.db");
        QCOMPARE(found, used.isEmpty() ? QString() : root.filePath(used));
    }

    void searchOrderFollowsTheEnvironment_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QStringList>("folders");
        const QString program = "/opt/nardel/bin";
        const QString installed = "/opt/nardel/bin/../share/nardel";
        QTest::newRow("all set") << "/srv/flora"
                                 << "/data"
                                 << QStringList{"/srv/flora", "/data/nardel", program, installed};
        QTest::newRow("no chosen folder")
            << ""
            << "/data" << QStringList{"/data/nardel", program, installed};
        QTest::newRow("no data home")
            << ""
            << "" << QStringList{"/home/botanik/.local/share/nardel", program, installed};
        QTest::newRow("relative data home is ignored")
            << ""
            << "data" << QStringList{"/home/botanik/.local/share/nardel", program, installed};
    }
    void searchOrderFollowsTheEnvironment() {
        QFETCH(QString, chosen);
        QFETCH(QString, dataHome);
        QFETCH(QStringList, folders);
        QProcessEnvironment environment;
        environment.insert("HOME", "/home/botanik");
        if (!chosen.isEmpty())
            environment.insert("NARDEL_TABLES", chosen);
        if (!dataHome.isEmpty())
            environment.insert("XDG_DATA_HOME", dataHome);
        QCOMPARE(tableFolders(environment, "/opt/nardel/bin"), folders);
    }
};

QTEST_APPLESS_MAIN(TestTableFolders)
#include "tst_tablefolders.moc"
