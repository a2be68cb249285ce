#include "store/EngineError.h"
#include "store/TablePair.h"
#include "support/InChild.h"
#include "support/TestTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString swapName = ".nardel-import.swap";

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool makeLink(const QString& target, const QString& link) {
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) ==
           0;
}

// The folder's entries but for the import lock: a regular file with its digest, a link with
// what it points to; nothing else is opened.
QStringList contentsOf(const QString& folder) {
    QStringList contents;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName() == ".nardel-import.lock")
            continue;
        contents << entry.fileName() + ' ' +
                        (entry.isSymLink()             ? "-> " + entry.symLinkTarget()
                         : !entry.isFile()             ? QString("(no file)")
                         : entry.size() > (1 << 20) ? QString::number(entry.size())
                                                       : TestTables::digestOf(entry.filePath()).toHex());
    }
    return contents;
}

} // namespace

// A table folder's swap record and what killed imports leave beside it.
class TestTablePair : public QObject {
    Q_OBJECT

private slots:
    // Nothing at the record's name is followed, read whole or opened blocking: the start's
    // recovery ends, and a copy into the folder puts its record in place of the thing.
    void whateverStandsAtTheRecordIsReplaced_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("dangling link") << "dangling";
        QTest::newRow("link to a record elsewhere") << "record";
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("large file") << "large";
    }
    void whateverStandsAtTheRecordIsReplaced() {
        QFETCH(QString, kind);
        TestTables tables;
        tables.importRows({"0\tAbies\t\t\t\t\t10\t1"}, {"Pinus abies\t1"});
        QTemporaryDir target, outside;
        const QString record = target.filePath(swapName);
        if (kind == "dangling") {
            QVERIFY(makeLink(outside.filePath("record"), record));
        } else if (kind == "record") {
            // A record that would put a copy of ours in place, were it followed.
            QVERIFY(QFile::copy(tables.path("syns.db"), target.filePath("syns.db.AbCdEf.tmp")));
            QVERIFY(writeFile(outside.filePath("record"), "syns.db.AbCdEf.tmp\tsyns.db\n"));
            QVERIFY(makeLink(outside.filePath("record"), record));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(record).constData(), 0600), 0);
        } else if (kind == "zero") {
            QVERIFY(makeLink("/dev/zero", record));
        } else {
            QFile large(record);
            QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(qint64(2) << 30));
        }
        const QStringList outsideBefore = contentsOf(outside.path());
        const QString thing = contentsOf(target.path()).first();

        const int recovered = exitCodeInChild([&] { return TablePair::recover(target.path()); });
        QCOMPARE(recovered, 0);
        QCOMPARE(contentsOf(target.path()).first(), thing);
        const int copied = exitCodeInChild([&] {
            TablePair::copy(tables.folder(), target.path());
            return 0;
        });
        QCOMPARE(copied, 0);

        QCOMPARE(contentsOf(outside.path()), outsideBefore);
        QCOMPARE(contentsOf(target.path()),
                 QStringList({"plantnames.db " + TestTables::digestOf(tables.path("plantnames.db")).toHex(),
                              "syns.db " + TestTables::digestOf(tables.path("syns.db")).toHex()}));
    }
};

QTEST_GUILESS_MAIN(TestTablePair)
#include "tst_tablepair.moc"
