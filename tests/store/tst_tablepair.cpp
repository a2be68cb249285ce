#include "store/EngineError.h"
#include "store/TablePair.h"
#include "support/AsNobody.h"
#include "support/BoundedRun.h"
#include "support/TestTables.h"
#include "support/TinyDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
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
                        (entry.isSymLink() ? "-> " + entry.symLinkTarget()
                         : !entry.isFile() ? QString("(no file)")
                         : entry.size() > (1 << 20)
                             ? QString::number(entry.size())
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
                 QStringList(
                     {"plantnames.db " + TestTables::digestOf(tables.path("plantnames.db")).toHex(),
                      "syns.db " + TestTables::digestOf(tables.path("syns.db")).toHex()}));
    }

    // The start removes the files that a killed import or copy left, the records not yet
    // renamed among them; a link goes, not what it points to. Nothing goes while an import
    // holds the folder.
    void startRemovesWhatKilledCopiesLeft_data() {
        QTest::addColumn<bool>("locked");
        QTest::newRow("free folder") << false;
        QTest::newRow("import running") << true;
    }
    void startRemovesWhatKilledCopiesLeft() {
        QFETCH(bool, locked);
        TestTables tables;
        tables.importRows({"0\tAbies\t\t\t\t\t10\t1"}, {"Pinus abies\t1"});
        QTemporaryDir outside;
        const QString elsewhere = outside.filePath("elsewhere");
        QVERIFY(writeFile(elsewhere, "the user's"));
        const QStringList left{"plantnames.db.AbC12x.tmp", "syns.db.QwErTy.tmp",
                               ".nardel-import.swap.x1Y2z3", "syns.db.LiNk12.tmp"};
        const QStringList kept{"plantnames.db.old.tmp", "plantnames.db.AbC12x.tmp.old",
                               "notes.AbC12x.tmp", "syns.db.Ab-12x.tmp"};
        for (const QString& name : left.first(3) + kept)
            QVERIFY(writeFile(tables.path(name), "written"));
        QVERIFY(makeLink(elsewhere, tables.path(left.last())));
        const QStringList before = contentsOf(tables.folder());
        const int lock = ::open(QFile::encodeName(tables.path(".nardel-import.lock")).constData(),
                                O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        QVERIFY(lock >= 0 && (!locked || ::flock(lock, LOCK_EX) == 0));

        QCOMPARE(TablePair::recover(tables.folder()), false);
        ::close(lock);

        QStringList expected = before;
        expected.removeIf([&](const QString& entry) {
            return !locked && left.contains(entry.section(' ', 0, 0));
        });
        QCOMPARE(contentsOf(tables.folder()), expected);
        QCOMPARE(contentsOf(outside.path()),
                 QStringList{"elsewhere " + TestTables::digestOf(elsewhere).toHex()});
    }

    // A copy that the system stops says first, in Czech, why; it leaves no table behind.
    void failedCopySaysWhy_data() {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("why");
        QTest::newRow("read-only folder") << "read-only"
                                          << "Do složky %1 nelze zapisovat: nemáte k tomu právo";
        QTest::newRow("folder to make in a read-only one")
            << "read-only parent"
            << "Do složky %1 nelze zapisovat: nemáte k tomu právo";
        QTest::newRow("full disk") << "full"
                                   << "Na disku není místo.";
        QTest::newRow("table the user may not read")
            << "unreadable"
            << "Soubor tabulky nelze otevřít. Zkontrolujte, že existuje";
        QTest::newRow("another copy running") << "locked"
                                              << "Tabulky v této složce právě zapisuje jiný import";
    }
    void failedCopySaysWhy() {
        QFETCH(QString, stop);
        QFETCH(QString, why);
        if (stop.startsWith("read-only") || stop == "unreadable")
            NARDEL_RUN_AS_NOBODY_WHEN_ROOT();
        TestTables tables;
        tables.importRows({"0\tAbies\t\t\t\t\t10\t1"}, {"Pinus abies\t1"});
        if (stop == "unreadable")
            QVERIFY(QFile::setPermissions(tables.path("syns.db"), QFile::WriteOwner));
        QTemporaryDir root;
        QString target = root.path();
        if (stop == "read-only parent")
            target = root.filePath("nardel");
        if (stop.startsWith("read-only"))
            QVERIFY(QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::ExeOwner));
        const auto writable = qScopeGuard([&] {
            QFile::setPermissions(root.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        std::optional<TinyDisk> disk;
        if (stop == "full") {
            disk.emplace();
            if (!disk->mounted())
                QSKIP("a full disk is a small tmpfs, which only root may mount");
            target = disk->path();
        }
        const int lock = ::open(QFile::encodeName(root.filePath(".nardel-import.lock")).constData(),
                                O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        QVERIFY(stop != "locked" || ::flock(lock, LOCK_EX) == 0);
        const auto unlock = qScopeGuard([lock] { ::close(lock); });

        try {
            TablePair::copy(tables.folder(), target);
            QFAIL("the copy went through");
        } catch (const EngineError& error) {
            QVERIFY2(error.message().startsWith(why.replace("%1", target)),
                     qPrintable(error.message()));
        }
        QCOMPARE(QDir(target).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestTablePair)
#include "tst_tablepair.moc"
