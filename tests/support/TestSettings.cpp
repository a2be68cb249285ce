#include "support/TestSettings.h"

#include "shell/SettingNames.h"
#include "shell/VersionRecord.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {
const char rootVariable[] = "NARDEL_SETTINGS_ROOT";
}

TestSettings::TestSettings() : m_previousRoot(qgetenv(rootVariable)) {
    qputenv(rootVariable, m_dir.path().toUtf8());
}

TestSettings::~TestSettings() {
    // A test's next root may stand in the variable already.
    if (qgetenv(rootVariable) == m_dir.path().toUtf8())
        qputenv(rootVariable, m_previousRoot);
}

QString TestSettings::keyFile() const {
    return m_dir.filePath(QStringLiteral("Tarnwick/Nardel/1.0.0.0.reg"));
}

void TestSettings::writeKey(const QStringList& valueLines) const {
    QDir().mkpath(QFileInfo(keyFile()).path());
    QFile file(keyFile());
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(keyFile()));
    file.write("Windows Registry Editor Version 5.00\n\n"
               "[HKEY_CURRENT_USER\\Software\\Tarnwick\\Nardel\\1.0.0.0]\n");
    for (const QString& line : valueLines)
        file.write(line.toUtf8() + '\n');
}

QStringList TestSettings::windowPlaceLines(const QList<int>& values) {
    const QStringList suffixes = {SettingNames::topSuffix, SettingNames::leftSuffix,
                                  SettingNames::heightSuffix, SettingNames::widthSuffix};
    QStringList lines;
    for (qsizetype i = 0; i < values.size(); ++i)
        lines.append(QStringLiteral("\"%1\"=dword:%2")
                         .arg(SettingNames::mainWindowPrefix + suffixes[i])
                         .arg(quint32(values[i]), 8, 16, QChar(u'0')));
    return lines;
}

SettingsStore& TestSettings::store() {
    if (!m_store) {
        m_store.emplace();
        m_store->openProgramKey(VersionRecord::program());
    }
    return *m_store;
}

QByteArray TestSettings::keyBytes() const {
    QFile file(keyFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

InfoWindowCloser::InfoWindowCloser() {
    connect(&m_timer, &QTimer::timeout, this, [this] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != QStringLiteral("FormInfo"))
            return;
        if (auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("BtnOK"))) {
            ok->click();
            ++m_closed;
        }
    });
    m_timer.start(5);
}
