#include "platform/ThemeIcons.h"

#include <QPixmap>

namespace {
bool desktopHasIconTheme() {
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QIcon::fallbackThemeName() &&
           theme != QStringLiteral("hicolor");
}
} // namespace

QIcon drawnIcon(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (const int side : {16, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(side / 16.0, side / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon themeIcon(const QString& name) {
    static const bool themed = desktopHasIconTheme();
    return themed && QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : QIcon();
}

QIcon themeIconOr(const QString& name, const std::function<void(QPainter&)>& draw) {
    const QIcon themed = themeIcon(name);
    return themed.isNull() ? drawnIcon(draw) : themed;
}
