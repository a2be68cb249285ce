#include "platform/WindowPlace.h"

#include <QScreen>
#include <QWidget>

namespace WindowPlace {

namespace {
// A dialog frame with its caption: 4 pixels on each side, 23 for the caption and top edge.
const QSize designedFrame(8, 27);
} // namespace

int scaled(int pixels, double dotsPerInch) {
    return static_cast<int>(pixels * dotsPerInch / 96.0);
}

double dotsPerInch(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

QSize frameSize(const QWidget* window) {
    const QSize frame = window->frameGeometry().size() - window->size();
    return frame.isNull() ? designedFrame : frame;
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

void setOuterWidth(QWidget* window, int width) {
    window->setFixedWidth(qMax(0, width - frameSize(window).width()));
}

void setOuterHeight(QWidget* window, int height) {
    window->setFixedHeight(qMax(0, height - frameSize(window).height()));
}

} // namespace WindowPlace
