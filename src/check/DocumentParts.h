#pragma once

#include "check/StyledText.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <initializer_list>

// What the readers of the formats share.

// The messages of the document readers.
class DocumentTexts {
    Q_DECLARE_TR_FUNCTIONS(DocumentText)
};

[[noreturn]] void failDocument(const QString& message);

inline bool isOneOf(QStringView name, std::initializer_list<QStringView> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Bytes that are not UTF-8, read as a Czech Windows program wrote them.
QString czechWindowsText(QByteArrayView bytes);

// The text of a .docx: its word/document.xml. `name` names the file in messages.
StyledText wordText(const QByteArray& documentXml, const QString& name);
// The text of an .odt: its content.xml, with the named styles of its styles.xml.
StyledText openDocumentText(const QByteArray& contentXml, const QByteArray& stylesXml,
                            const QString& name);
