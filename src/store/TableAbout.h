#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <utility>

// Facts about a table file kept inside it, in a small table of names and texts: the stamp
// of the import that wrote it, and the citation of the checklist it holds.
class Connection;

namespace TableAbout {

inline const QString importStamp = QStringLiteral("import");
inline const QString citation = QStringLiteral("citation");
// The citation whole, where `citation` had to be cut short to be shown.
inline const QString wholeCitation = QStringLiteral("citation-whole");
// Whether the rows cite pages: a checklist without pages says "none".
inline const QString pages = QStringLiteral("pages");
inline const QString noPages = QStringLiteral("none");

using Facts = QList<std::pair<QString, QString>>;

// Writes the facts into the file attached as `schema`. Throws EngineError naming `file`.
void write(Connection& db, const QString& schema, const Facts& facts, const QString& file);
// Every fact of the file attached as `schema`, by name; none for a file that keeps none.
QHash<QString, QString> read(Connection& db, const QString& schema, const QString& file);

} // namespace TableAbout
