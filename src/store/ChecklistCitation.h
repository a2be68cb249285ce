#pragma once

#include <QByteArray>
#include <QString>

// The citation of a checklist from its metadata (eml.xml): the dataset's title with the year
// of publication ("Lista de Espécies da Flora do Brasil (2012)"), or where there is no title
// the bibliographic citation; empty when the metadata has neither or cannot be read.
namespace ChecklistCitation {
QString fromMetadata(const QByteArray& xml);
}
