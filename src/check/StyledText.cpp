#include "check/StyledText.h"

#include "check/DocumentParts.h"

#include <QStringDecoder>

QString czechWindowsText(QByteArrayView bytes) {
    QStringDecoder decoder("windows-1250");
    return decoder(bytes);
}

StyledText plainText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(bytes);
    QByteArray text;
    if (!utf8.hasError()) {
        text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    } else {
        const std::optional<QStringConverter::Encoding> marked =
            QStringConverter::encodingForData(bytes);
        decoded = marked && *marked != QStringConverter::Utf8 ? QStringDecoder(*marked)(bytes)
                                                              : czechWindowsText(bytes);
        text = decoded.toUtf8();
    }
    text.replace("\r\n", "\n").replace('\r', '\n');
    return {text, {}};
}
