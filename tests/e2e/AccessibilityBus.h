#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A private session bus, behind which the desktop's accessibility bus starts when a program
// asks for it, and a reader of what the programs on it show, as a screen reader hears it.
// Programs join it with the environment of withBus().
class AccessibilityBus {
public:
    explicit AccessibilityBus(const QProcessEnvironment& environment);
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    bool isRunning() const { return !address_.isEmpty(); }
    // `environment` with this bus as the session bus and Qt's accessibility turned on.
    QProcessEnvironment withBus(QProcessEnvironment environment) const;
    // The names of every accessible object of every program on the bus, windows first.
    QStringList names() const;

private:
    QProcess daemon_;
    QString address_;
};
