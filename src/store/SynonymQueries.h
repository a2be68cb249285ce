#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

class NameSource;
class Query;

// The synonym search: every synonym that begins with `beginning`. The text is taken as it
// is, so a "%" or "_" typed by the user stays a wildcard of LIKE, and an empty text finds all
// synonyms.
QString synonymPattern(QStringView beginning);
QStringList synonymSearchLines();
inline const QString synonymParameter = QStringLiteral("parname");

// The record of the accepted name of a synonym given in full; takes :synonym.
QStringList synonymRecordLines();

// Every synonym with the record of its accepted name.
QStringList everySynonymLines();
// Throws std::runtime_error when the two tables come from different imports: the synonyms'
// record numbers would then name wrong rows.
void requireTablesOfOneImport(NameSource& source);

// The accepted name of a synonym: its row in the name table.
struct AcceptedName {
    int level = 0;
    QString genus;
    QString species;
    QString subsp;
};

// Looks up the name-table row whose record is `record`, through `query`, which keeps the
// result open until the next lookup; nothing when the name table has no such row.
// Throws EngineError, and std::runtime_error when the two tables come from different imports:
// the synonyms' record numbers would then name wrong rows.
std::optional<AcceptedName> lookUpAcceptedName(Query& query, qint64 record);
