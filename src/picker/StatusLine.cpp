#include "picker/StatusLine.h"

#include "platform/ElidedLabel.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QStatusBar>

const QColor StatusLine::copiedColour(0, 128, 0);

StatusLine::StatusLine(QStatusBar* bar) : m_bar(bar), m_panel(new ElidedLabel(bar)) {
    m_panel->setObjectName(QStringLiteral("StatusPanel"));
    // The line keeps its width; a long name is cut, not the window widened.
    m_panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_bar->addWidget(m_panel, 1);
    setCopied(false);
}

void StatusLine::showName(const QString& name) {
    m_panel->setFullText(name);
}

QString StatusLine::name() const {
    return m_panel->fullText();
}

void StatusLine::setCopied(bool copied) {
    QPalette palette = QApplication::palette(m_bar);
    if (copied) {
        palette.setColor(QPalette::Window, copiedColour);
        palette.setColor(QPalette::WindowText, Qt::white);
    } else {
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    }
    m_bar->setPalette(palette);
    const QString state =
        copied ? QCoreApplication::translate("StatusLine", "Zkopírováno") : QString();
    if (!copied && m_bar->accessibleDescription() == state)
        return;
    m_bar->setAccessibleDescription(state);
    // A screen reader speaks every copy without the user moving to the line.
    QAccessibleEvent changed(m_bar, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QColor StatusLine::colour() const {
    return m_bar->palette().color(QPalette::Window);
}
