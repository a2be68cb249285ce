#include "platform/Clipboard.h"

const QString Clipboard::ownerFormat = QStringLiteral("application/x-nardel-owner");

bool Clipboard::isLastCopy(const QString& text) const {
    return !m_lastCopy.isNull() && text == m_lastCopy;
}

void Clipboard::setPlainText(const QString& text) {
    m_lastCopy = text;
    putPlainText(text);
}

void Clipboard::setFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf) {
    m_lastCopy = text;
    putFormatted(text, html, rtf);
}
