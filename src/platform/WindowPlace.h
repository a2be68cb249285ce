#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Window sizes are designed in pixels at 96 pixels per inch and scaled to the screen; the
// outer size of a window counts its frame and caption, as a stored window place does.
namespace WindowPlace {

// `pixels` at 96 pixels per inch, scaled to `dotsPerInch` and truncated toward zero.
int scaled(int pixels, double dotsPerInch);
// The logical pixels per inch of the screen that shows `window`.
double dotsPerInch(const QWidget* window);

// The outer size: the window with its frame and caption, as the window system reports them
// once the window is shown; before that, or without a window manager, with a dialog's frame
// as designed.
int outerWidth(const QWidget* window);
int outerHeight(const QWidget* window);
// Puts the top-left corner of the window's frame at a point in the screen's own pixels,
// which Qt's scaling to the screen would otherwise multiply.
void moveToScreenPixels(QWidget* window, QPoint screenPixels);
// The frame's top-left corner and the outer size.
QRect outerPlace(const QWidget* window);
// `place` moved, and sized where it must be, into the screen area that it lands on, the one
// nearest to its centre of `areas`; no smaller than `smallest`, and when that is larger than
// the area, with its top-left corner in the area.
QRect keptOnScreen(const QRect& place, QSize smallest, const QList<QRect>& areas);
// Puts the window's frame at `place`, but whole within the available area of the screen
// nearest to it, and no smaller than the window's minimum size nor, where that allows, larger
// than the screen: a place stored by an earlier run, on other screens, never hides the window.
void setOuterPlace(QWidget* window, QRect place);
// Whether the window really fills its screen as a maximized window. The window system never
// maximizes a window of fixed size, whatever state the window asked for.
bool isMaximizedOnScreen(const QWidget* window);

} // namespace WindowPlace
