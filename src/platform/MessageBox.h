#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's message boxes: one "OK" button, an icon of the kind, the toolkit's word for
// the kind as the title unless one is given; and questions answered "Ano" or "Ne". Tests
// install a sink that records the messages and questions instead of showing a modal box, and
// answer the next question beforehand.
namespace MessageBox {

// Question: what a sink gets of a question.
enum class Kind { Error, Warning, Information, Question };

void show(QWidget* parent, Kind kind, const QString& title, const QString& text);

// Asks the user; true for "Ano". Closing the box answers "Ne".
bool ask(QWidget* parent, const QString& title, const QString& text);

using Sink = std::function<void(Kind kind, const QString& title, const QString& text)>;
// Replaces the boxes by `sink`; an empty sink restores them. A question then goes to the sink
// (as Kind::Question) and takes the answer set beforehand, or "Ne".
void setSink(Sink sink);
// The answer of the next question, which then shows no box; only that question takes it.
void setNextAnswer(bool answer);

// Runs a user's action; a failure it throws ends the action in the standard error box (the
// application's title and the failure's text), and the program goes on.
void runAction(QWidget* parent, const std::function<void()>& action);

} // namespace MessageBox
