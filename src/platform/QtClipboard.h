#pragma once

#include "platform/Clipboard.h"

#include <QPointer>

class QMimeData;

// The desktop's clipboard, through Qt.
class QtClipboard : public Clipboard {
public:
    QString text() const override;
    bool isOwnContent() const override;
    void setPlainText(const QString& text) override;
    void setFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf) override;

private:
    void hold(QMimeData* data);

    // The content last put on the clipboard; Qt deletes it when another program takes over.
    QPointer<const QMimeData> m_ownContent;
};
