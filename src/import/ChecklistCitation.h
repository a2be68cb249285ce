#pragma once

#include <QByteArray>
#include <QString>

// The citation of a checklist from its metadata (eml.xml): the dataset's title with the year
// of publication ("Lista de Espécies da Flora do Brasil (2012)"), or where there is no title
// the bibliographic citation; empty when the metadata has neither or cannot be read.
namespace ChecklistCitation {
QString fromMetadata(const QByteArray& xml);

// The longest citation shown: the program shows it beside every page number.
constexpr qsizetype longest = 2000;
// A citation to show: at most `longest` characters, a longer one cut where a character ends
// and closed with an ellipsis.
QString shortened(const QString& citation);
} // namespace ChecklistCitation
