#pragma once

#include <QByteArray>
#include <QString>

// The system clipboard as the program reads and writes it. Everything the program copies
// carries a private marker with its process id, by which the program knows its own copies.
// The lookup logic works on this interface, so that tests can put a fake in its place.
class Clipboard {
public:
    // MIME type of the marker; its data is the id of the process that copied.
    static const QString ownerFormat;

    virtual ~Clipboard() = default;

    // The text, or an empty one when the content is no text.
    virtual QString text() const = 0;
    // The content in the format of a MIME type ("text/html", "text/rtf"), or nothing when the
    // content has no such format.
    virtual QByteArray data(const QString& mimeType) const = 0;
    // Whether the content is one of this program's own copies, plain or formatted.
    virtual bool isOwnContent() const = 0;
    // Whether `text` is what this program copied last. A clipboard manager takes over every
    // copy and offers its text alone, without the marker: such a text is still the program's.
    bool isLastCopy(const QString& text) const;
    // Replaces the content with a plain text.
    void setPlainText(const QString& text);
    // Replaces the content with a text offered as plain text, HTML and RTF.
    void setFormatted(const QString& text, const QByteArray& html, const QByteArray& rtf);

protected:
    virtual void putPlainText(const QString& text) = 0;
    virtual void putFormatted(const QString& text, const QByteArray& html,
                              const QByteArray& rtf) = 0;

private:
    QString m_lastCopy;
};
