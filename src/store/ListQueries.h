#pragma once

#include <QString>
#include <QStringList>

// The SQL lines of the three list queries over the name table, from its file name and the
// field names. The species query takes the parameter :genus, the subspecies query :genus and
// :species.
QStringList genusQueryLines(const QString& tableName, const QString& genusField);
QStringList speciesQueryLines(const QString& tableName, const QString& genusField,
                              const QString& speciesField);
QStringList subspQueryLines(const QString& tableName, const QString& genusField,
                            const QString& speciesField, const QString& subspField);
