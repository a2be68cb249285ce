#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QByteArray ownMarker() {
    return QByteArray::number(QCoreApplication::applicationPid());
}

QMimeData* markedMimeData(const QString& text) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(Clipboard::ownerFormat, ownMarker());
    return data;
}

const QMimeData* content() {
    return QGuiApplication::clipboard()->mimeData();
}

} // namespace

QString QtClipboard::text() const {
    return QGuiApplication::clipboard()->text();
}

QByteArray QtClipboard::data(const QString& mimeType) const {
    const QMimeData* const data = content();
    return data ? data->data(mimeType) : QByteArray();
}

bool QtClipboard::isOwnContent() const {
    // Asks no other program: the content is ours while it is what this program put there.
    // A copy of another running Nardel is foreign text like any other.
    return m_ownContent && content() == m_ownContent;
}

void QtClipboard::putPlainText(const QString& text) {
    hold(markedMimeData(text));
}

void QtClipboard::putFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf) {
    QMimeData* data = markedMimeData(text);
    data->setData(QStringLiteral("text/html"), html);
    // Word processors look for RTF under any of these names.
    for (const char* format : {"text/rtf", "text/richtext", "application/rtf"})
        data->setData(QString::fromLatin1(format), rtf);
    hold(data);
}

void QtClipboard::hold(QMimeData* data) {
    m_ownContent = data;
    QGuiApplication::clipboard()->setMimeData(data);
}
