#pragma once

#include "shell/SettingsStore.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

// A settings root of its own for one test, in place of the user's; the program's key lies in
// it at Tarnwick/Nardel/1.0.0.0.reg.
class TestSettings {
public:
    TestSettings();
    ~TestSettings();
    TestSettings(const TestSettings&) = delete;
    TestSettings& operator=(const TestSettings&) = delete;

    QString root() const { return m_dir.path(); }
    QString keyFile() const;
    // Writes the key file: the export header and the key's line, then `valueLines`.
    void writeKey(const QStringList& valueLines) const;
    // Value lines of the main window's place: the first values.size() of FormTop, FormLeft,
    // FormHeight and FormWidth.
    static QStringList windowPlaceLines(const QList<int>& values);
    QByteArray keyBytes() const;
    // The program's store on this root, opened at the first call as the program opens it at
    // its start: after whatever the test put in the key's place first.
    SettingsStore& store();

private:
    QTemporaryDir m_dir;
    QByteArray m_previousRoot;
    std::optional<SettingsStore> m_store;
};

// Closes the program info window each time it is shown modally, as its user does with "OK".
class InfoWindowCloser : public QObject {
public:
    InfoWindowCloser();
    int closedCount() const { return m_closed; }

private:
    QTimer m_timer;
    int m_closed = 0;
};
