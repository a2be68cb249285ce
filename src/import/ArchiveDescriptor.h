#pragma once

#include "import/TextDialect.h"

#include <QList>
#include <QString>
#include <QStringList>

// What meta.xml says of an archive's core: its row type, its files, how they are written, and
// which column holds which term (or which value every row takes). Extensions are not read.
struct ArchiveDescriptor {
    struct Field {
        QString term;   // the term's URI
        int index = -1; // the column, or -1 for a value given only by `defaultValue`
        QString defaultValue;
        QString delimiter; // what separates several values in one field, or empty
    };

    QString rowType;
    QStringList files; // paths inside the archive
    TextDialect dialect;
    int idIndex = -1;
    QList<Field> fields;
    QString metadata;    // the metadata file (eml.xml) named by the archive, or empty
    qint64 coreLine = 0; // where <core> stands in meta.xml

    // Reads meta.xml. `folder` is the folder of meta.xml inside the archive ("" or "dwc/"),
    // to which the files are relative; `name` names meta.xml in messages. Throws ImportError
    // naming the file and the line of the element that cannot be used.
    static ArchiveDescriptor read(const QByteArray& xml, const QString& folder,
                                  const QString& name);
};
