#pragma once

#include <functional>

class QWidget;

// Runs `work` once, when the event loop next runs after `window` has painted for the first
// time: work that the window does not need waits until it is on the screen, and takes nothing
// from its showing. Nothing runs when the window goes first.
void afterFirstPaint(QWidget* window, std::function<void()> work);
