#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A dictionary that cannot be written as asked; its text tells the user why.
class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// The custom dictionary of MS Office: one word a line in code page 1250, CR LF after every
// line, nothing else. Throws ExportError naming the words that the code page cannot hold.
QByteArray officeDictionary(const QStringList& words);

// LibreOffice reads at most this many words from one user dictionary and drops the rest.
inline constexpr qsizetype libreOfficeWordLimit = 30000;

// LibreOffice user dictionaries (OOoUserDict1: a header for all languages, then one word a
// line, UTF-8, LF): one file's bytes for every libreOfficeWordLimit words, at least one.
QList<QByteArray> libreOfficeDictionaries(const QStringList& words);

// The name of part `part` (from 1) of a dictionary split over several files: the chosen
// name for the first, "-2", "-3", ... before the extension for the others.
QString partFileName(const QString& fileName, qsizetype part);

// Replaces the file's content as a whole: the bytes go to a temporary file beside it, which
// then takes its name, so a failure leaves the file as it was. Only a regular file is
// replaced: a link, a FIFO, a device or a folder at that name is left as it is. Throws
// ExportError naming the file.
void writeWholeFile(const QString& fileName, const QByteArray& bytes);
