#include "e2e/AccessibilityBus.h"

#include "e2e/XSession.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QPair>

namespace {

const QString accessible = QStringLiteral("org.a11y.atspi.Accessible");
using Object = QPair<QString, QString>; // bus name, object path

QVariant call(const QDBusConnection& bus, const Object& object, const QString& interface,
              const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(object.first, object.second, interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = bus.call(message, QDBus::Block, 2000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
               ? reply.arguments().first()
               : QVariant();
}

QList<Object> children(const QDBusConnection& bus, const Object& object) {
    QList<Object> found;
    const QVariant reply = call(bus, object, accessible, QStringLiteral("GetChildren"));
    if (!reply.canConvert<QDBusArgument>())
        return found;
    const QDBusArgument list = reply.value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        Object child;
        QDBusObjectPath path;
        list.beginStructure();
        list >> child.first >> path;
        list.endStructure();
        child.second = path.path();
        found.append(child);
    }
    list.endArray();
    return found;
}

// Breadth first, so that a window's own texts come before those deep inside it.
QStringList namesBelow(const QDBusConnection& bus, const Object& root) {
    QStringList names;
    QList<Object> level = children(bus, root);
    for (int depth = 0; depth < 12 && !level.isEmpty(); ++depth) {
        QList<Object> next;
        for (const Object& object : level) {
            const QVariant name =
                call(bus, object, QStringLiteral("org.freedesktop.DBus.Properties"),
                     QStringLiteral("Get"), {accessible, QStringLiteral("Name")});
            names.append(name.value<QDBusVariant>().variant().toString());
            next += children(bus, object);
        }
        level = next;
    }
    return names;
}

} // namespace

AccessibilityBus::AccessibilityBus(const QProcessEnvironment& environment) {
    daemon_.setProcessEnvironment(environment);
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    address_ = XSession::firstLineOf(daemon_);
}

AccessibilityBus::~AccessibilityBus() {
    if (daemon_.state() == QProcess::NotRunning)
        return;
    daemon_.terminate();
    if (!daemon_.waitForFinished(3000))
        daemon_.kill();
    daemon_.waitForFinished(3000);
}

QProcessEnvironment AccessibilityBus::withBus(QProcessEnvironment environment) const {
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    return environment;
}

QStringList AccessibilityBus::names() const {
    const QDBusConnection session = QDBusConnection::connectToBus(address_, address_);
    const QString a11yAddress =
        call(session, {QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus")},
             QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"))
            .toString();
    if (a11yAddress.isEmpty())
        return {};
    const QDBusConnection a11y = QDBusConnection::connectToBus(a11yAddress, a11yAddress);
    // The registry's root holds each program's own root.
    QStringList names;
    for (const Object& program :
         children(a11y, {QStringLiteral("org.a11y.atspi.Registry"),
                         QStringLiteral("/org/a11y/atspi/accessible/root")}))
        names += namesBelow(a11y, program);
    return names;
}
