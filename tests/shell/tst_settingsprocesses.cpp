#include "shell/RegistryFile.h"
#include "shell/RegistryKey.h"
#include "support/ValueText.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString keyPath = "Tarnwick/Nardel/1.0.0.0";
const auto openFolder = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                        QFileDevice::ExeOther;

struct ProbeRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Starts settings_probe, as user nobody when asked (root may write anywhere).
void startProbe(QProcess& probe, const QStringList& arguments, bool asNobody = false) {
    if (asNobody)
        probe.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                           SETTINGS_PROBE} +
                                   arguments);
    else
        probe.start(SETTINGS_PROBE, arguments);
}

ProbeRun finish(QProcess& probe) {
    if (!probe.waitForFinished(120000) || probe.exitStatus() != QProcess::NormalExit)
        return {-1, {}, "the probe did not finish: " + probe.errorString()};
    return {probe.exitCode(), QString::fromUtf8(probe.readAllStandardOutput()),
            QString::fromUtf8(probe.readAllStandardError())};
}

ProbeRun runProbe(const QStringList& arguments, bool asNobody = false) {
    QProcess probe;
    startProbe(probe, arguments, asNobody);
    return finish(probe);
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestSettingsProcesses : public QObject {
    Q_OBJECT

private slots:
    void anotherCopyReadsWhatOneWrote() {
        QTemporaryDir dir;
        const QString root = dir.filePath("root");
        const ProbeRun writer =
            runProbe({root, "write", "FontName", "text", "Arial", "write", "Level", "int", "-1",
                      "write", "Path", "expandable", "%HOME%/x"});
        QCOMPARE(writer.exitCode, 0);
        const ProbeRun reader =
            runProbe({root, "read", "fontname", "read", "LEVEL", "read", "Path", "read", "Size"});
        QCOMPARE(reader.exitCode, 0);
        QCOMPARE(reader.out, "all\ntext:Arial\ninteger:-1\nexpandable:%HOME%/x\nmissing\n");
    }

    // Each write reads the key again under its lock, so neither copy undoes the other's writes.
    void simultaneousWritersLoseNothing() {
        QTemporaryDir dir;
        const QString root = dir.filePath("root");
        const int count = 200;
        QStringList first{root};
        QStringList second{root};
        for (int i = 0; i < count; ++i) {
            first << "write" << QString("a%1").arg(i) << "int" << QString::number(i);
            second << "write" << QString("b%1").arg(i) << "text" << QString("b-%1").arg(i);
        }
        QProcess firstProbe;
        QProcess secondProbe;
        startProbe(firstProbe, first);
        startProbe(secondProbe, second);
        const ProbeRun firstRun = finish(firstProbe);
        const ProbeRun secondRun = finish(secondProbe);
        QVERIFY2(firstRun.exitCode == 0, qPrintable(firstRun.err));
        QVERIFY2(secondRun.exitCode == 0, qPrintable(secondRun.err));

        RegistryKey key(keyPath, root);
        const QByteArray bytes = contentsOf(key.filePath());
        // The header, an empty line and the section line, then one line for each value.
        QCOMPARE(bytes.count('\n'), 3 + 2 * count);
        const RegistryFile file = RegistryFile::parse(bytes);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(valueText(file.value(QString("a%1").arg(i))), QString("integer:%1").arg(i));
            QCOMPARE(valueText(file.value(QString("b%1").arg(i))), QString("text:b-%1").arg(i));
        }
        QCOMPARE(QDir(key.folder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"1.0.0.0.reg"});
    }

    // A user who may not write the key's folder is no administrator: the key opens for
    // reading, or not at all when missing, and writes fail without touching anything.
    void readOnlyUserCannotWrite_data() {
        QTest::addColumn<bool>("existing");
        QTest::newRow("existing key") << true;
        QTest::newRow("missing key") << false;
    }

    void readOnlyUserCannotWrite() {
        QFETCH(bool, existing);
        // Root may write anywhere, so then the probe runs as user nobody on root's folders.
        const bool root = ::geteuid() == 0;
        if (root && QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("setpriv is missing; as root the test needs it to run a copy as user nobody");
        const mode_t umaskBefore = ::umask(022);
        const auto restoreUmask = qScopeGuard([&] { ::umask(umaskBefore); });
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), openFolder));
        const QString settingsRoot = dir.filePath("root");
        RegistryKey key(keyPath, settingsRoot);
        if (existing) {
            QVERIFY(key.open(RegistryKey::Access::All));
            key.setValue("Level", RegistryValue::ofInteger(7));
        } else {
            QVERIFY(QDir().mkpath(settingsRoot));
        }
        const QString locked = existing ? key.folder() : settingsRoot;
        if (!root)
            QVERIFY(QFile::setPermissions(locked, openFolder & ~QFileDevice::WriteOwner));
        const auto unlock = qScopeGuard([&] { QFile::setPermissions(locked, openFolder); });
        const QByteArray before = contentsOf(key.filePath());

        const ProbeRun run =
            runProbe({settingsRoot, "read", "Level", "write", "Level", "int", "8"}, root);
        QVERIFY2(run.exitCode == 1, qPrintable(run.err));
        QCOMPARE(run.out, existing ? "read\ninteger:7\n" : "none\nmissing\n");
        // The cause, the folder that may not be written, whether the key is there or not.
        QVERIFY2(run.err.contains("Do složky nastavení " + key.folder() + " nelze zapisovat"),
                 qPrintable(run.err));
        QCOMPARE(contentsOf(key.filePath()), before);
        QCOMPARE(QDir(locked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 existing ? QStringList{"1.0.0.0.reg"} : QStringList());
    }

    // In namespaces of its own, the probe meets a full disk (a small file system mounted over
    // the settings root and filled) or an account that the password database does not know,
    // with HOME unset. It reads what there is to read; the write fails and names the cause.
    void writesNameTheCause_data() {
        QTest::addColumn<QStringList>("namespaces");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("cause");
        QTest::newRow("disk full") << QStringList{"--user", "--map-root-user", "--mount"}
                                   << R"(mount -t tmpfs -o size=64k tmpfs "$ROOT" &&
                  "$PROBE" "$ROOT" write Level int 2 >/dev/null &&
                  { cat /dev/zero >"$ROOT/filler" 2>/dev/null; "$PROBE" "$ROOT" read Level \
                    write Level int 3; })"
                                   << "all\ninteger:2\n"
                                   << "není místo";
        QTest::newRow("account without a home")
            << QStringList{"--user", "--map-user=54321", "--map-group=54321"}
            << R"(env -u HOME -u XDG_CONFIG_HOME -u NARDEL_SETTINGS_ROOT "$PROBE" - read Level \
                  write Level int 3)"
            << "none\nmissing\n"
            << "proměnná HOME není nastavena";
    }

    void writesNameTheCause() {
        QFETCH(QStringList, namespaces);
        QFETCH(QString, script);
        QFETCH(QString, out);
        QFETCH(QString, cause);
        if (QProcess::execute("unshare", namespaces + QStringList{"true"}) != 0)
            QSKIP("this machine gives no namespaces of one's own");
        if (::getpwuid(54321))
            QSKIP("user 54321 has an account here");
        QTemporaryDir dir;
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PROBE", SETTINGS_PROBE);
        environment.insert("ROOT", dir.path());
        probe.setProcessEnvironment(environment);
        probe.start("unshare", namespaces + QStringList{"sh", "-c", script});
        const ProbeRun run = finish(probe);
        QVERIFY2(run.exitCode == 1, qPrintable(run.err));
        QCOMPARE(run.out, out);
        QVERIFY2(run.err.contains(cause), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists("/.config/Tarnwick"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsProcesses)
#include "tst_settingsprocesses.moc"
