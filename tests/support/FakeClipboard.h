#pragma once

#include "platform/Clipboard.h"

// A clipboard of the test's own, in place of the desktop's: what the program copies stays
// here, and a test puts there what another program copies.
class FakeClipboard : public Clipboard {
public:
    QString text() const override { return m_text; }
    bool isOwnContent() const override { return m_own; }
    void copyFromOtherProgram(const QString& text) { hold(text, false); }
    // A clipboard manager takes the content over: the same text, without the owner's marker.
    void takeOverByClipboardManager() { m_own = false; }
    // Another program copies a picture: there is no text.
    void copyPictureFromOtherProgram() { hold(QString(), false); }

protected:
    void putPlainText(const QString& text) override { hold(text, true); }
    void putFormatted(const QString& text, const QByteArray&, const QByteArray&) override {
        hold(text, true);
    }

private:
    void hold(const QString& text, bool own) {
        m_text = text;
        m_own = own;
    }

    QString m_text;
    bool m_own = false;
};
