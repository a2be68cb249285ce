#include "tools/DictionaryFile.h"

#include "platform/PathKind.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>
#include <cerrno>
#include <optional>

namespace {
// Enough unwritable words to see what kind of text they are, without a box taller than the
// screen.
constexpr qsizetype listedWords = 10;

[[noreturn]] void failWrite(const QString& fileName, const QString& reason) {
    throw ExportError(QCoreApplication::translate("DictionaryFile", "Soubor nelze zapsat: %1\r\n%2")
                          .arg(QDir::toNativeSeparators(fileName), reason));
}

} // namespace

QByteArray officeDictionary(const QStringList& words) {
    std::optional<QStringEncoder> encoder;
    const auto newEncoder = [&encoder] {
        // In place: the engine behind an encoder reports errors to the address it began at.
        encoder.emplace("windows-1250", QStringEncoder::Flag::Stateless);
    };
    newEncoder();
    QByteArray bytes;
    QStringList unwritable;
    for (const QString& word : words) {
        bytes += encoder->encode(word);
        // An encoder's error stays: a new one tells the next word's apart.
        if (encoder->hasError()) {
            unwritable.append(word);
            newEncoder();
        }
        bytes += "\r\n";
    }
    if (unwritable.isEmpty())
        return bytes;
    QString text = QCoreApplication::translate(
                       "DictionaryFile", "Slovník nebyl zapsán: kódování Windows-1250 nemá všechny "
                                         "znaky těchto slov (%1):\r\n")
                       .arg(unwritable.size());
    text += unwritable.first(std::min(listedWords, unwritable.size())).join(QStringLiteral("\r\n"));
    if (unwritable.size() > listedWords)
        text += QCoreApplication::translate("DictionaryFile", "\r\n… a dalších %1")
                    .arg(unwritable.size() - listedWords);
    throw ExportError(text);
}

QList<QByteArray> libreOfficeDictionaries(const QStringList& words) {
    QList<QByteArray> files;
    qsizetype next = 0;
    do {
        QByteArray bytes = "OOoUserDict1\nlang: <none>\ntype: positive\n---\n";
        const qsizetype end = std::min(words.size(), next + libreOfficeWordLimit);
        for (; next < end; ++next)
            bytes += words[next].toUtf8() + '\n';
        files.append(bytes);
    } while (next < words.size());
    return files;
}

QString partFileName(const QString& fileName, qsizetype part) {
    if (part == 1)
        return fileName;
    const QFileInfo file(fileName);
    const QString suffix = file.suffix();
    const QString base = suffix.isEmpty() ? file.fileName() : file.completeBaseName();
    const QString name =
        base + u'-' + QString::number(part) + (suffix.isEmpty() ? QString() : u'.' + suffix);
    return file.dir().filePath(name);
}

void writeWholeFile(const QString& fileName, const QByteArray& bytes) {
    // Only a regular file is replaced: QSaveFile would write through a link, and put a file in
    // place of a FIFO or a device that the user happened to pick.
    if (const std::optional<QString> other = otherThingAt(fileName))
        failWrite(fileName, QCoreApplication::translate(
                                "DictionaryFile", "Na jeho místě je %1, slovník se zapisuje jen do "
                                                  "obyčejného souboru.")
                                .arg(*other));
    errno = 0;
    QSaveFile file(fileName);
    // The commit of Qt 6.4 misses a failed write of the last buffered bytes and would put a
    // cut-off file in place: they are flushed and checked first. An unfinished temporary file
    // is removed with `file`.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit())
        return;
    // A write cut short leaves Qt without an error text; the system's tells why.
    const int code = errno;
    failWrite(fileName, code ? qt_error_string(code) : file.errorString());
}
