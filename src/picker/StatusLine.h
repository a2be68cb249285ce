#pragma once

#include <QColor>
#include <QString>

class ElidedLabel;
class QStatusBar;

// The main window's status line: the composed name, and behind it the copied indicator,
// green while the name shown is the one on the clipboard.
class StatusLine {
public:
    // Background of the copied state. White text on it has a contrast of 5.1 : 1.
    static const QColor copiedColour;

    explicit StatusLine(QStatusBar* bar);

    void showName(const QString& name);
    QString name() const;
    // Green with white text and a spoken "Zkopírováno", or the button face and normal text.
    void setCopied(bool copied);
    QColor colour() const;

private:
    QStatusBar* m_bar;
    ElidedLabel* m_panel;
};
