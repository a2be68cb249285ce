#include "support/AsNobody.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

bool canRunAsNobody() {
    return !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

QString rerunAsNobody() {
    QString testCase = QString::fromLatin1(QTest::currentTestFunction());
    if (const char* tag = QTest::currentDataTag())
        testCase += u':' + QString::fromLocal8Bit(tag);
    QProcess nobody;
    nobody.setProcessChannelMode(QProcess::MergedChannels);
    nobody.start(QStringLiteral("setpriv"),
                 {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                  QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                  testCase});
    if (!nobody.waitForFinished(60000))
        return QStringLiteral("the copy as user nobody did not end: ") + nobody.errorString();
    if (nobody.exitStatus() != QProcess::NormalExit || nobody.exitCode() != 0)
        return QString::fromLocal8Bit(nobody.readAll());
    return {};
}
