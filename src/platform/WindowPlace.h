#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

// Window sizes are designed in pixels at 96 pixels per inch and scaled to the screen; the
// outer size of a window counts its frame and caption, as a stored window place does.
namespace WindowPlace {

// `pixels` at 96 pixels per inch, scaled to `dotsPerInch` and truncated toward zero.
int scaled(int pixels, double dotsPerInch);
// The logical pixels per inch of the screen that shows `window`.
double dotsPerInch(const QWidget* window);

// Frame and caption together, as the window system reports them once the window is shown;
// before that, or without a window manager, the frame of a dialog window as designed.
QSize frameSize(const QWidget* window);
int outerWidth(const QWidget* window);
int outerHeight(const QWidget* window);
// Puts the top-left corner of the window's frame at a point in the screen's own pixels,
// which Qt's scaling to the screen would otherwise multiply.
void moveToScreenPixels(QWidget* window, QPoint screenPixels);
// Sizes the window, whose user cannot resize it, so that its outer size is as given.
void setOuterWidth(QWidget* window, int width);
void setOuterHeight(QWidget* window, int height);

} // namespace WindowPlace
