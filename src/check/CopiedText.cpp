#include "check/CopiedText.h"

#include "platform/Clipboard.h"

StyledText copiedText(const Clipboard& clipboard) {
    for (const char* format : {"text/rtf", "text/richtext", "application/rtf"}) {
        const QByteArray rtf = clipboard.data(QString::fromLatin1(format));
        if (!rtf.isEmpty())
            return rtfText(rtf);
    }
    const QByteArray html = clipboard.data(QStringLiteral("text/html"));
    if (!html.isEmpty())
        return htmlText(html);
    return plainText(clipboard.text().toUtf8());
}
