#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// A Wayland session without XWayland: the program runs on Wayland itself rather than
// failing for want of an X server.
class TestWayland : public QObject {
    Q_OBJECT

private slots:
    void startsWithoutAnXServer() {
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        QTemporaryDir settings;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        env.insert("WAYLAND_DISPLAY", "nardel-test");
        env.insert("NARDEL_SETTINGS_ROOT", settings.path());

        QProcess compositor;
        compositor.setProcessEnvironment(env);
        compositor.start(
            "weston", {"--backend=headless-backend.so", "--socket=nardel-test", "--idle-time=0"});
        QVERIFY(compositor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath("nardel-test")), 10000);

        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(NARDEL_PROGRAM, {});
        QVERIFY(program.waitForStarted());
        QVERIFY2(!program.waitForFinished(3000), "the program ended on its own");
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        compositor.terminate();
        compositor.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
