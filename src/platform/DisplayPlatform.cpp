#include "platform/DisplayPlatform.h"

#include <QGuiApplication>

QByteArray preferredPlatform(bool userChosePlatform, bool hasWaylandDisplay, bool hasX11Display) {
    if (userChosePlatform || !hasWaylandDisplay)
        return {};
    return hasX11Display ? QByteArrayLiteral("xcb") : QByteArrayLiteral("wayland");
}

bool runsOnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
