#include "platform/Clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

namespace Clipboard {

const QString ownerFormat = QStringLiteral("application/x-nardel-owner");

namespace {

QMimeData* markedMimeData(const QString& text) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(ownerFormat, QByteArray::number(QCoreApplication::applicationPid()));
    return data;
}

} // namespace

void setPlainText(const QString& text) {
    QGuiApplication::clipboard()->setMimeData(markedMimeData(text));
}

void setFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf) {
    QMimeData* data = markedMimeData(text);
    data->setData(QStringLiteral("text/html"), html);
    // Word processors look for RTF under any of these names.
    for (const char* format : {"text/rtf", "text/richtext", "application/rtf"})
        data->setData(QString::fromLatin1(format), rtf);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace Clipboard
