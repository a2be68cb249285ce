#pragma once

#include "platform/Clipboard.h"

// The desktop's clipboard, through Qt.
class QtClipboard : public Clipboard {
public:
    QString text() const override;
    bool hasText() const override;
    bool isOwnContent() const override;
    void setPlainText(const QString& text) override;
    void setFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf) override;
};
