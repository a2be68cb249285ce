#pragma once

#include <QByteArray>
#include <QString>

// The system clipboard as the program writes it. Everything the program copies carries a
// private marker with its process id, by which the program knows its own copies again.
namespace Clipboard {

// MIME type of the marker; its data is the id of the process that copied.
extern const QString ownerFormat;

// Replaces the clipboard's content with a plain text.
void setPlainText(const QString& text);
// Replaces the clipboard's content with a text offered as plain text, HTML and RTF.
void setFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf);

} // namespace Clipboard
