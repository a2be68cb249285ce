#include "check/StyledText.h"

#include "check/DocumentParts.h"

#include <QCoreApplication>
#include <QStringDecoder>

void failDocument(const QString& message) {
    throw DocumentError(message.toStdString());
}

QString czechWindowsText(QByteArrayView bytes) {
    QStringDecoder decoder("windows-1250");
    return decoder(bytes);
}

StyledText plainText(const QByteArray& bytes) {
    QByteArray text;
    // A decoder keeps a sequence cut off at the end for more bytes, without an error: the
    // whole is checked instead.
    if (QByteArrayView(bytes).isValidUtf8()) {
        text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    } else {
        const std::optional<QStringConverter::Encoding> marked =
            QStringConverter::encodingForData(bytes);
        text = (marked && *marked != QStringConverter::Utf8 ? QStringDecoder(*marked)(bytes)
                                                            : czechWindowsText(bytes))
                   .toUtf8();
    }
    text.replace("\r\n", "\n").replace('\r', '\n');
    return {text, {}};
}
