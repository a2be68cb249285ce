#include "platform/MessageBox.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <exception>
#include <optional>
#include <utility>

namespace MessageBox {
namespace {
Sink& sink() {
    static Sink current;
    return current;
}

std::optional<bool>& nextAnswer() {
    static std::optional<bool> answer;
    return answer;
}

// Texts name tables, files and their contents: shown as they are, never as markup, which
// would load the pictures it names. A box shown before the main window, such as a missing
// table's, must not end the program when it closes as the only window on the screen.
int execPlain(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    box.setAttribute(Qt::WA_QuitOnClose, false);
    return box.exec();
}
} // namespace

void setSink(Sink replacement) {
    sink() = std::move(replacement);
}

void setNextAnswer(bool answer) {
    nextAnswer() = answer;
}

void show(QWidget* parent, Kind kind, const QString& title, const QString& text) {
    if (sink()) {
        sink()(kind, title, text);
        return;
    }
    const QMessageBox::Icon icon = kind == Kind::Error     ? QMessageBox::Critical
                                   : kind == Kind::Warning ? QMessageBox::Warning
                                                           : QMessageBox::Information;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    execPlain(box);
}

bool ask(QWidget* parent, const QString& title, const QString& text) {
    if (sink())
        sink()(Kind::Question, title, text);
    if (const std::optional<bool> answer = std::exchange(nextAnswer(), std::nullopt))
        return *answer;
    if (sink())
        return false;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    // The words stand here, so that the question reads the same where Qt's Czech texts are
    // not installed.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ano"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Ne"));
    box.setEscapeButton(QMessageBox::No);
    return execPlain(box) == QMessageBox::Yes;
}

void runAction(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        show(parent, Kind::Error, QGuiApplication::applicationDisplayName(),
             QString::fromUtf8(failure.what()));
    }
}

} // namespace MessageBox
