#pragma once

#include "platform/Clipboard.h"

// A clipboard of the test's own, in place of the desktop's: what the program copies stays
// here.
class FakeClipboard : public Clipboard {
public:
    QString text() const override { return m_text; }
    bool hasText() const override { return m_own; }
    bool isOwnContent() const override { return m_own; }
    void setPlainText(const QString& text) override {
        m_text = text;
        m_own = true;
    }
    void setFormatted(const QString& text, const QByteArray&, const QByteArray&) override {
        setPlainText(text);
    }

private:
    QString m_text;
    bool m_own = false;
};
