#pragma once

#include "platform/Clipboard.h"

#include <QPointer>

class QMimeData;

// The desktop's clipboard, through Qt.
class QtClipboard : public Clipboard {
public:
    QString text() const override;
    QByteArray data(const QString& mimeType) const override;
    bool isOwnContent() const override;

protected:
    void putPlainText(const QString& text) override;
    void putFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf) override;

private:
    void hold(QMimeData* data);

    // The content last put on the clipboard; Qt deletes it when another program takes over.
    QPointer<const QMimeData> m_ownContent;
};
