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

bool QtClipboard::hasText() const {
    const QMimeData* data = content();
    return data && data->hasText();
}

bool QtClipboard::isOwnContent() const {
    // Another copy of the program marks its copies with its own process id: those are
    // names copied by hand, as from any other program.
    const QMimeData* data = content();
    return data && data->data(ownerFormat) == ownMarker();
}

void QtClipboard::setPlainText(const QString& text) {
    QGuiApplication::clipboard()->setMimeData(markedMimeData(text));
}

void QtClipboard::setFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf) {
    QMimeData* data = markedMimeData(text);
    data->setData(QStringLiteral("text/html"), html);
    // Word processors look for RTF under any of these names.
    for (const char* format : {"text/rtf", "text/richtext", "application/rtf"})
        data->setData(QString::fromLatin1(format), rtf);
    QGuiApplication::clipboard()->setMimeData(data);
}
