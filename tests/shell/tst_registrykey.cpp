#include "shell/RegistryFile.h"
#include "shell/RegistryKey.h"
#include "support/ValueText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const QString keyPath = "Tarnwick/Nardel/1.0.0.0";
const QByteArray emptyKey = "Windows Registry Editor Version 5.00\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Tarnwick\\Nardel\\1.0.0.0]\n";

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

mode_t modeOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestRegistryKey : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_root;

private slots:
    void init() {
        m_dir.emplace();
        m_root = m_dir->filePath("root");
    }

    // Variables not named in `environment` are unset.
    void rootFolder_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("root");
        QTest::newRow("own variable first")
            << QStringList{"NARDEL_SETTINGS_ROOT=/r", "XDG_CONFIG_HOME=/x", "HOME=/h"} << "/r";
        QTest::newRow("own variable empty")
            << QStringList{"NARDEL_SETTINGS_ROOT=", "XDG_CONFIG_HOME=/x", "HOME=/h"} << "/x";
        QTest::newRow("XDG variable empty")
            << QStringList{"XDG_CONFIG_HOME=", "HOME=/h"} << "/h/.config";
        QTest::newRow("neither variable") << QStringList{"HOME=/h"} << "/h/.config";
        const QString accountHome = QFile::decodeName(::getpwuid(::getuid())->pw_dir);
        QTest::newRow("HOME unset") << QStringList() << accountHome + "/.config";
        QTest::newRow("HOME empty") << QStringList{"HOME="} << accountHome + "/.config";
    }

    void rootFolder() {
        QFETCH(QStringList, environment);
        QFETCH(QString, root);
        const char* names[] = {"NARDEL_SETTINGS_ROOT", "XDG_CONFIG_HOME", "HOME"};
        QList<std::optional<QByteArray>> saved;
        for (const char* name : names)
            saved.append(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                         : std::nullopt);
        const auto restore = qScopeGuard([&] {
            for (int i = 0; i < saved.size(); ++i)
                saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
        });
        for (const char* name : names)
            qunsetenv(name);
        for (const QString& assignment : environment)
            qputenv(assignment.section('=', 0, 0).toLatin1(), assignment.section('=', 1).toUtf8());
        QCOMPARE(RegistryKey::rootFolder(), root);
    }

    void readingAMissingKeyCreatesNothing() {
        RegistryKey key(keyPath, m_root);
        QVERIFY(!key.open(RegistryKey::Access::Read));
        QVERIFY(!QFileInfo::exists(m_root));
        QCOMPARE(valueText(key.value("Level")), QString("missing"));
    }

    // The key is created empty, and it and its values stay readable by every user even under
    // a strict umask.
    void allCreatesTheKeyReadableByEveryone() {
        const mode_t umaskBefore = ::umask(077);
        const auto restore = qScopeGuard([&] { ::umask(umaskBefore); });
        RegistryKey key(keyPath, m_root);
        QVERIFY(key.open(RegistryKey::Access::All));
        QCOMPARE(key.filePath(), m_root + "/" + keyPath + ".reg");
        QCOMPARE(contentsOf(key.filePath()), emptyKey);
        QCOMPARE(modeOf(key.filePath()), mode_t(0644));

        key.setValue("Level", RegistryValue::ofInteger(1));
        QCOMPARE(contentsOf(key.filePath()), emptyKey + "\"Level\"=dword:00000001\n");
        QCOMPARE(modeOf(key.filePath()), mode_t(0644));
        QCOMPARE(QDir(key.folder()).entryList(QDir::Files), QStringList{"1.0.0.0.reg"});
    }

    void blockedPathDoesNotOpen_data() {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<bool>("folder");
        QTest::newRow("folder in place of the file") << keyPath + ".reg" << true;
        QTest::newRow("file in place of a folder") << "Tarnwick" << false;
    }

    void blockedPathDoesNotOpen() {
        QFETCH(QString, blocker);
        QFETCH(bool, folder);
        const QString path = m_root + '/' + blocker;
        if (folder)
            QVERIFY(QDir().mkpath(path));
        else
            writeFile(path, "x");
        RegistryKey key(keyPath, m_root);
        QVERIFY(!key.open(RegistryKey::Access::Read));
        QVERIFY(!key.open(RegistryKey::Access::All));
        QVERIFY_THROWS_EXCEPTION(SettingsWriteError,
                                 key.setValue("Level", RegistryValue::ofInteger(1)));
    }

    // A write that may not happen throws, names the file, and leaves the key as it was.
    void refusedWriteChangesNothing_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("opened for reading") << "read"
                                            << "Level"
                                            << "otevřen jen pro čtení";
        QTest::newRow("never opened") << "new"
                                      << "Level"
                                      << "není otevřen";
        QTest::newRow("closed") << "closed"
                                << "Level"
                                << "není otevřen";
        QTest::newRow("name with a line break") << "all"
                                                << "Le\nvel"
                                                << "Název hodnoty";
    }

    void refusedWriteChangesNothing() {
        QFETCH(QString, state);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        RegistryKey writer(keyPath, m_root);
        QVERIFY(writer.open(RegistryKey::Access::All));
        writer.setValue("FontName", RegistryValue::ofText("Arial"));
        const QByteArray before = contentsOf(writer.filePath());

        RegistryKey key(keyPath, m_root);
        if (state == "read")
            QVERIFY(key.open(RegistryKey::Access::Read));
        if (state == "closed" || state == "all")
            QVERIFY(key.open(RegistryKey::Access::All));
        if (state == "closed")
            key.close();
        try {
            key.setValue(name, RegistryValue::ofInteger(1));
            QFAIL("the write went through");
        } catch (const SettingsWriteError& error) {
            const QString message = QString::fromStdString(error.what());
            QVERIFY2(message.contains(reason) && message.contains(writer.filePath()),
                     qPrintable(message));
        }
        QCOMPARE(contentsOf(writer.filePath()), before);
        QCOMPARE(QDir(writer.folder()).entryList(QDir::Files), QStringList{"1.0.0.0.reg"});
    }

    // Each read goes to the file, so another key object's (or program copy's) writes are seen.
    void readsSeeLaterWrites() {
        RegistryKey writer(keyPath, m_root);
        RegistryKey reader(keyPath, m_root);
        QVERIFY(writer.open(RegistryKey::Access::All));
        QVERIFY(reader.open(RegistryKey::Access::Read));
        writer.setValue("Level", RegistryValue::ofInteger(1));
        QCOMPARE(valueText(reader.value("level")), QString("integer:1"));
        writer.setValue("LEVEL", RegistryValue::ofText("two"));
        QCOMPARE(valueText(reader.value("Level")), QString("text:two"));
        reader.close();
        QCOMPARE(valueText(reader.value("Level")), QString("missing"));
    }

    // A rewrite keeps the lines that do not read as values where they stood. A key too large
    // to read is copied whole to <file>.bad before it is rewritten, replacing an older copy,
    // and the next write leaves the copy alone.
    void rewriteLosesNothing_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("olderBackup");
        QTest::addColumn<QByteArray>("rewritten");
        QTest::addColumn<QByteArray>("backup");
        const QByteArray tooLarge =
            emptyKey + "\"FontName\"=\"Arial\"\n;" + QByteArray(RegistryFile::maxSize, 'x');
        QTest::newRow("line that does not read as a value")
            << emptyKey + "\"FontName\"=\"Arial\"\nLevel=3\n\"Size\"=dword:c\n"
            << QByteArray()
            << emptyKey + "\"FontName\"=\"Arial\"\nLevel=3\n\"Size\"=dword:0000000c\n"
                          "\"Level\"=dword:00000005\n"
            << QByteArray("<unreadable>");
        QTest::newRow("file over 1 MiB")
            << tooLarge << QByteArray() << emptyKey + "\"Level\"=dword:00000005\n"
            << tooLarge;
        QTest::newRow("older backup replaced")
            << tooLarge << QByteArray("older") << emptyKey + "\"Level\"=dword:00000005\n"
            << tooLarge;
    }

    void rewriteLosesNothing() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, olderBackup);
        QFETCH(QByteArray, rewritten);
        QFETCH(QByteArray, backup);
        RegistryKey key(keyPath, m_root);
        writeFile(key.filePath(), before);
        if (!olderBackup.isEmpty())
            writeFile(key.filePath() + ".bad", olderBackup);
        QVERIFY(key.open(RegistryKey::Access::All));

        key.setValue("Level", RegistryValue::ofInteger(4));
        key.setValue("Level", RegistryValue::ofInteger(5));
        QCOMPARE(contentsOf(key.filePath()), rewritten);
        QCOMPARE(contentsOf(key.filePath() + ".bad"), backup);
    }

    // Whatever stands in the place of the key or its lock, opening and writing never hang, a
    // write never goes through a link, and the key is still read; the write fails and names
    // what stands where.
    void otherThingsInPlaceOfFiles_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("thing");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("cause");
        QTest::newRow("link in the key's place")
            << ".reg"
            << "link to a key"
            << "integer:2"
            << "Na místě souboru nastavení %1 je symbolický odkaz";
        QTest::newRow("dangling link in the key's place")
            << ".reg"
            << "dangling link"
            << "missing"
            << "Na místě souboru nastavení %1 je symbolický odkaz";
        QTest::newRow("folder in the lock's place") << ".reg.lock"
                                                    << "folder"
                                                    << "integer:2"
                                                    << "Na místě zámku nastavení %1 je složka";
        QTest::newRow("link to /dev/zero in the lock's place")
            << ".reg.lock"
            << "link to /dev/zero"
            << "integer:2"
            << "Na místě zámku nastavení %1 je symbolický odkaz";
        QTest::newRow("folder in the place of the lock's lock")
            << ".reg.lock.rmlock"
            << "folder"
            << "integer:2"
            << "Na místě zámku nastavení %1 je složka";
    }

    void otherThingsInPlaceOfFiles() {
        QFETCH(QString, place);
        QFETCH(QString, thing);
        QFETCH(QString, read);
        QFETCH(QString, cause);
        RegistryKey key(keyPath, m_root, {.wait = 50ms, .staleAfter = 3s});
        const QString path = m_root + '/' + keyPath + place;
        const QString target = m_dir->filePath("elsewhere.reg");
        const QByteArray stored = emptyKey + "\"Level\"=dword:00000002\n";
        QVERIFY(QDir().mkpath(key.folder()));
        writeFile(path == key.filePath() ? target : key.filePath(), stored);
        if (thing == "dangling link")
            QVERIFY(QFile::remove(target));
        if (thing == "folder")
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QFile::link(thing == "link to /dev/zero" ? "/dev/zero" : target, path));

        QElapsedTimer clock;
        clock.start();
        QVERIFY(key.open(RegistryKey::Access::All));
        QCOMPARE(valueText(key.value("Level")), read);
        try {
            key.setValue("Level", RegistryValue::ofInteger(4));
            QFAIL("the write went through");
        } catch (const SettingsWriteError& error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(cause.arg(path)), error.what());
        }
        QCOMPARE_LT(clock.elapsed(), 1000);
        QCOMPARE(contentsOf(key.filePath()),
                 thing == "dangling link" ? QByteArray("<unreadable>") : stored);
        QCOMPARE(QFileInfo(path).isSymLink(), thing != "folder");
    }

    // The files that QSaveFile names after the file it replaces, which a write killed before
    // its rename leaves behind, go when the key is next opened for writing; others stay.
    void leftoversOfAKilledWriteAreRemoved() {
        RegistryKey key(keyPath, m_root);
        const QStringList kept{"1.0.0.0.reg",           "1.0.0.0.reg.bad",
                               "1.0.0.0.reg.QExv-D",    "1.0.0.0.reg.QExvW",
                               "1.0.0.0.reg.bad.pcblU", "1.0.0.0.reg.notes.txt",
                               "1.0.0.0.reg.ÄExvWD",    "1.0.0.0.regXQExvWD"};
        for (const QString& name :
             kept + QStringList{"1.0.0.0.reg.QExvWD", "1.0.0.0.reg.bad.pcblU7"})
            writeFile(key.folder() + '/' + name, "written");
        QVERIFY(key.open(RegistryKey::Access::All));
        QStringList left = QDir(key.folder()).entryList(QDir::Files);
        left.sort();
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(left, expected);
    }

    // A lock older than its stale age is taken over; a younger one, or one held by a running
    // copy, makes the write fail once the wait is over, without touching the key.
    void lockLeftBehind_data() {
        QTest::addColumn<bool>("held");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("taken");
        QTest::newRow("stale lock of a crashed copy") << false << 10 << true;
        QTest::newRow("lock younger than the stale age") << false << 1 << false;
        QTest::newRow("lock held by a running copy") << true << 0 << false;
    }

    void lockLeftBehind() {
        QFETCH(bool, held);
        QFETCH(int, ageSeconds);
        QFETCH(bool, taken);
        RegistryKey key(keyPath, m_root, {.wait = 50ms, .staleAfter = 3s});
        QVERIFY(key.open(RegistryKey::Access::All));
        const QString lockPath = key.filePath() + ".lock";
        QLockFile running(lockPath);
        if (held) {
            QVERIFY(running.tryLock(0));
        } else {
            writeFile(lockPath, "not a lock of this machine\n");
            QFile lock(lockPath);
            QVERIFY(lock.open(QIODevice::ReadWrite));
            QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                     QFileDevice::FileModificationTime));
        }
        try {
            key.setValue("Level", RegistryValue::ofInteger(1));
            QVERIFY(taken);
            QVERIFY(!QFileInfo::exists(lockPath));
        } catch (const SettingsWriteError& error) {
            QVERIFY2(!taken && QString(error.what()).contains(lockPath), error.what());
            QCOMPARE(contentsOf(key.filePath()), emptyKey);
        }
    }
};

QTEST_GUILESS_MAIN(TestRegistryKey)
#include "tst_registrykey.moc"
