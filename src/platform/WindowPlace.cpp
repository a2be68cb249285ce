#include "platform/WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace WindowPlace {

namespace {

// A dialog frame with its caption: 4 pixels on each side, 23 for the caption and top edge.
const QSize designedFrame(8, 27);

// The squared distance from the centre of `place` to `area`; 0 when the centre lies in it.
qint64 distance(const QRect& place, const QRect& area) {
    const QPoint centre = place.center();
    const qint64 dx = qMax(0, qMax(area.left() - centre.x(), centre.x() - area.right()));
    const qint64 dy = qMax(0, qMax(area.top() - centre.y(), centre.y() - area.bottom()));
    return dx * dx + dy * dy;
}

QSize frameSize(const QWidget* window) {
    const QSize frame = window->frameGeometry().size() - window->size();
    return frame.isNull() ? designedFrame : frame;
}

// Sizes the window, whose user cannot resize it, so that its outer size is as given.
void setOuterWidth(QWidget* window, int width) {
    window->setFixedWidth(qMax(0, width - frameSize(window).width()));
}

void setOuterHeight(QWidget* window, int height) {
    window->setFixedHeight(qMax(0, height - frameSize(window).height()));
}

} // namespace

QRect keptOnScreen(const QRect& place, QSize smallest, const QList<QRect>& areas) {
    if (areas.isEmpty())
        return place;
    const QRect area =
        *std::min_element(areas.begin(), areas.end(), [&](const auto& a, const auto& b) {
            return distance(place, a) < distance(place, b);
        });
    const QSize size = place.size().boundedTo(area.size()).expandedTo(smallest);
    const int left = qMax(area.left(), qMin(place.left(), area.right() + 1 - size.width()));
    const int top = qMax(area.top(), qMin(place.top(), area.bottom() + 1 - size.height()));
    return QRect(QPoint(left, top), size);
}

int scaled(int pixels, double dotsPerInch) {
    return static_cast<int>(pixels * dotsPerInch / 96.0);
}

double dotsPerInch(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

int outerWidth(const QWidget* window) {
    return window->width() + frameSize(window).width();
}

int outerHeight(const QWidget* window) {
    return window->height() + frameSize(window).height();
}

void moveToScreenPixels(QWidget* window, QPoint screenPixels) {
    const double ratio = window->devicePixelRatioF();
    window->move(qRound(screenPixels.x() / ratio), qRound(screenPixels.y() / ratio));
}

QRect outerPlace(const QWidget* window) {
    return QRect(window->pos(), QSize(outerWidth(window), outerHeight(window)));
}

void setOuterPlace(QWidget* window, QRect place) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    const QRect kept = keptOnScreen(place, window->minimumSize() + frameSize(window), areas);
    window->move(kept.topLeft());
    if (kept.width() != outerWidth(window))
        setOuterWidth(window, kept.width());
    if (kept.height() != outerHeight(window))
        setOuterHeight(window, kept.height());
}

bool isMaximizedOnScreen(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!window->isMaximized() || !screen || window->minimumSize() == window->maximumSize())
        return false;
    const QSize frame = window->frameGeometry().size();
    const QSize area = screen->availableGeometry().size();
    return frame.width() >= area.width() && frame.height() >= area.height();
}

} // namespace WindowPlace
