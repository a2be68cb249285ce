#pragma once

#include "platform/Clipboard.h"

#include <QHash>

// A clipboard of the test's own, in place of the desktop's: what the program copies stays
// here, and a test puts there what another program copies.
class FakeClipboard : public Clipboard {
public:
    QString text() const override { return m_text; }
    QByteArray data(const QString& mimeType) const override { return m_formats.value(mimeType); }
    bool isOwnContent() const override { return m_own; }
    // Another program copies a text, also in formats of its own ("text/html" ...).
    void copyFromOtherProgram(const QString& text, const QHash<QString, QByteArray>& formats = {}) {
        hold(text, false);
        m_formats = formats;
    }
    // A clipboard manager takes the content over: the same text, without the owner's marker.
    void takeOverByClipboardManager() { m_own = false; }
    // Another program copies a picture: there is no text.
    void copyPictureFromOtherProgram() { hold(QString(), false); }

protected:
    void putPlainText(const QString& text) override { hold(text, true); }
    void putFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf) override {
        hold(text, true);
        m_formats = {{QStringLiteral("text/html"), html}, {QStringLiteral("text/rtf"), rtf}};
    }

private:
    void hold(const QString& text, bool own) {
        m_text = text;
        m_own = own;
        m_formats.clear();
    }

    QString m_text;
    QHash<QString, QByteArray> m_formats;
    bool m_own = false;
};
