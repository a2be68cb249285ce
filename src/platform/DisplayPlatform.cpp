#include "platform/DisplayPlatform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler earlierHandler = nullptr;

void endWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        earlierHandler(type, context, text);
        return;
    }
    // The toolkit's own text advises reinstalling, which does not help: its warnings before
    // have named the display already.
    std::fprintf(stderr, "nardel: %s\n",
                 qPrintable(QCoreApplication::translate(
                     "DisplayPlatform",
                     "Nardel se nemůže spojit s grafickým prostředím. Spusťte jej v grafickém "
                     "sezení (proměnná DISPLAY nebo WAYLAND_DISPLAY ukazuje na běžící "
                     "displej).")));
    std::_Exit(1);
}

} // namespace

QByteArray preferredPlatform(bool userChosePlatform, bool hasWaylandDisplay, bool hasX11Display) {
    if (userChosePlatform || !hasWaylandDisplay)
        return {};
    return hasX11Display ? QByteArrayLiteral("xcb") : QByteArrayLiteral("wayland");
}

ToolkitStartGuard::ToolkitStartGuard() {
    earlierHandler = qInstallMessageHandler(endWithoutDisplay);
}

ToolkitStartGuard::~ToolkitStartGuard() {
    qInstallMessageHandler(earlierHandler);
}

bool runsOnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
