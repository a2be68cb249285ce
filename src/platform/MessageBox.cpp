#include "platform/MessageBox.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <exception>

namespace MessageBox {
namespace {
Sink& sink() {
    static Sink current;
    return current;
}
} // namespace

void setSink(Sink replacement) {
    sink() = std::move(replacement);
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
    // A box shown before the main window, such as a missing table's, must not end the
    // program when it closes as the only window on the screen.
    box.setAttribute(Qt::WA_QuitOnClose, false);
    box.exec();
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
