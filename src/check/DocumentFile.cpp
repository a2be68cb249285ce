#include "check/DocumentFile.h"

#include "check/DocumentParts.h"
#include "import/ArchiveFiles.h"
#include "import/ImportError.h"
#include "platform/PathKind.h"

#include <QFile>
#include <QFileInfo>

namespace {

[[noreturn]] void failTooLarge(const QString& name) {
    failDocument(DocumentTexts::tr("%1: dokument je větší než %2 MiB, tak velký kontrola nečte")
                     .arg(name)
                     .arg(largestDocument >> 20));
}

// The bytes from where the text begins: after a byte-order mark and white space.
QByteArrayView textStart(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    while (!bytes.isEmpty() && QChar::isSpace(uchar(bytes.front())))
        bytes = bytes.sliced(1);
    return bytes;
}

bool looksLikeHtml(QByteArrayView start) {
    if (!start.startsWith('<'))
        return false;
    // A word processor's HTML may carry long style sheets before its body.
    const QByteArray head = start.first(std::min<qsizetype>(start.size(), 1 << 20)).toByteArray();
    const QByteArray lower = head.toLower();
    return lower.contains("<html") || lower.contains("<body") || lower.contains("<p");
}

StyledText zippedText(const QString& path) {
    try {
        const ArchiveFiles archive(path);
        const auto entry = [&archive](const QString& file) {
            QByteArray bytes = archive.read(file, largestDocument + 1);
            if (bytes.size() > largestDocument)
                failTooLarge(archive.displayName(file));
            return bytes;
        };
        if (archive.contains(QStringLiteral("word/document.xml")))
            return wordText(entry(QStringLiteral("word/document.xml")), path);
        if (archive.contains(QStringLiteral("content.xml"))) {
            const QString styles = QStringLiteral("styles.xml");
            return openDocumentText(entry(QStringLiteral("content.xml")),
                                    archive.contains(styles) ? entry(styles) : QByteArray(), path);
        }
    } catch (const ImportError& error) {
        failDocument(QString::fromUtf8(error.what()));
    }
    failDocument(
        DocumentTexts::tr("%1: archiv zip, který není dokumentem .docx ani .odt").arg(path));
}

} // namespace

StyledText documentText(const QString& path) {
    // What a link leads to is read, but only a regular file: opening a FIFO waits for a writer.
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty())
        failDocument(DocumentTexts::tr("%1: takový soubor není").arg(path));
    if (const std::optional<QString> other = otherThingAt(target))
        failDocument(DocumentTexts::tr("%1: není obyčejný soubor, ale %2").arg(path, *other));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failDocument(DocumentTexts::tr("%1: soubor nelze číst: %2").arg(path, file.errorString()));
    if (file.size() > largestDocument)
        failTooLarge(path);
    const QByteArray bytes = file.read(file.size() + 1);
    if (file.error() != QFileDevice::NoError)
        failDocument(DocumentTexts::tr("%1: soubor nelze číst: %2").arg(path, file.errorString()));
    if (bytes.size() > largestDocument)
        failTooLarge(path);

    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06"))
        return zippedText(path);
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        failDocument(
            DocumentTexts::tr(
                "%1: dokument ve formátu Word 97–2003 (.doc) kontrola nečte; uložte ho jako "
                ".docx, .odt nebo RTF")
                .arg(path));
    if (bytes.startsWith("%PDF-"))
        failDocument(
            DocumentTexts::tr(
                "%1: PDF kontrola nečte; uložte jeho text jako .docx, .odt, RTF nebo prostý "
                "text")
                .arg(path));
    const QByteArrayView start = textStart(bytes);
    if (start.startsWith("{\\rtf"))
        return rtfText(bytes);
    if (looksLikeHtml(start))
        return htmlText(bytes);
    return plainText(bytes);
}
