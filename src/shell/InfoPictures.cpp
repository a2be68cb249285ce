#include "shell/InfoPictures.h"

#include "platform/ThemeIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace InfoPictures {

namespace {

QPixmap transparentPixmap(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A blade of grass from `base`, leaning by `lean`, `height` tall.
QPainterPath blade(QPointF base, double lean, double height, double width) {
    QPainterPath path(base - QPointF(width / 2, 0));
    const QPointF tip = base + QPointF(lean, -height);
    path.quadTo(base + QPointF(lean / 3 - width / 2, -height / 2), tip);
    path.quadTo(base + QPointF(lean / 3 + width / 2, -height / 2), base + QPointF(width / 2, 0));
    path.closeSubpath();
    return path;
}

} // namespace

QPixmap logo(int side) {
    QPixmap pixmap = transparentPixmap({side, side});
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = side / 70.0;
    painter.setPen(QPen(QColor(40, 90, 30), 2 * s));
    painter.setBrush(QColor(120, 170, 80));
    painter.drawEllipse(QRectF(2 * s, 2 * s, 66 * s, 66 * s));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(245, 240, 200));
    const QPointF base(35 * s, 58 * s);
    for (const double lean : {-18.0, -9.0, 0.0, 8.0, 17.0})
        painter.drawPath(blade(base, lean * s, (44 - qAbs(lean)) * s, 4 * s));
    return pixmap;
}

QPixmap stalk(const QSize& size) {
    QPixmap pixmap = transparentPixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(236, 214, 170));
    for (const double lean : {-0.35, -0.15, 0.1, 0.3})
        painter.drawPath(blade({w * 0.55, h}, lean * w, h * (0.55 - qAbs(lean) / 2), w * 0.05));
    // The one-sided spike at the top of the stalk.
    painter.setPen(QPen(QColor(222, 196, 150), w * 0.02));
    painter.drawLine(QPointF(w * 0.55, h), QPointF(w * 0.62, h * 0.05));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(222, 196, 150));
    for (int i = 0; i < 9; ++i) {
        const double y = h * (0.08 + i * 0.035);
        painter.drawEllipse(QRectF(w * 0.62 - i * w * 0.004, y, w * 0.05, h * 0.03));
    }
    return pixmap;
}

QIcon okMark() {
    return themeIconOr(QStringLiteral("dialog-ok"), [](QPainter& painter) {
        painter.setPen(
            QPen(QColor(0x2e, 0x8b, 0x3a), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({{3, 8.5}, {6.5, 12}, {13, 4}}));
    });
}

} // namespace InfoPictures
