#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's message boxes: one "OK" button, an icon of the kind, the toolkit's word for
// the kind as the title unless one is given. Tests install a sink that records the messages
// instead of showing a modal box.
namespace MessageBox {

enum class Kind { Error, Warning, Information };

void show(QWidget* parent, Kind kind, const QString& title, const QString& text);

using Sink = std::function<void(Kind kind, const QString& title, const QString& text)>;
// Replaces the boxes by `sink`; an empty sink restores them.
void setSink(Sink sink);

// Runs a user's action; a failure it throws ends the action in the standard error box (the
// application's title and the failure's text), and the program goes on.
void runAction(QWidget* parent, const std::function<void()>& action);

} // namespace MessageBox
