#pragma once

#include "tools/DictionaryWords.h"

#include <QLocale>
#include <QString>

class NameSource;
class QWidget;

enum class DictionaryFormat { MsOffice, LibreOffice };

// Writes every genus, species and subspecies word of the name table into `fileName` (for
// LibreOffice, into as many files as its word limit asks) and returns the message that tells
// the user where the dictionary is. Throws EngineError or ExportError; a failure leaves every
// file it did not write as it was.
QString writeDictionary(NameSource& source, const QString& tableName,
                        const DictionaryFields& fields, const QString& fileName,
                        DictionaryFormat format, const QLocale& locale = QLocale());

// The export as the options menu starts it: the save dialog, the export and its message. One
// object serves the run, so that the dialog offers the file chosen last.
class DictionaryExport {
public:
    // Asks for the file and writes the dictionary; cancelling writes nothing. A failure is
    // shown in the standard error box.
    void BtnDICgenerateClick(QWidget* parent, NameSource& source, const QString& tableName,
                             const DictionaryFields& fields);

private:
    QString m_fileName;
};
