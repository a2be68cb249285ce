#include "store/SynonymQueries.h"

#include "store/NameSource.h"
#include "store/Query.h"
#include "store/TableAbout.h"
#include "store/TableSchema.h"

#include <QCoreApplication>
#include <stdexcept>

namespace {
namespace Name = TableSchema::NameColumn;
namespace Synonym = TableSchema::SynonymColumn;
} // namespace

QString synonymPattern(QStringView beginning) {
    return beginning.toString() + u'%';
}

QStringList synonymSearchLines() {
    return {QStringLiteral("select * from '%1'").arg(TableSchema::synonyms().tableFile),
            QStringLiteral("where %1 LIKE :%2").arg(Synonym::synonym, synonymParameter)};
}

QStringList synonymRecordLines() {
    return {QStringLiteral("SELECT %1 FROM '%2'")
                .arg(Synonym::acceptedRecord, TableSchema::synonyms().tableFile),
            QStringLiteral("WHERE %1 = :synonym").arg(Synonym::synonym)};
}

QStringList everySynonymLines() {
    return {QStringLiteral("SELECT %1, %2 FROM '%3'")
                .arg(Synonym::synonym, Synonym::acceptedRecord, TableSchema::synonyms().tableFile)};
}

void requireTablesOfOneImport(NameSource& source) {
    if (source.about(TableSchema::synonyms().tableFile).value(TableAbout::importStamp) !=
        source.about(TableSchema::names().tableFile).value(TableAbout::importStamp))
        throw std::runtime_error(
            QCoreApplication::translate(
                "SynonymQueries",
                "Tabulky plantnames.db a syns.db nepocházejí z jednoho importu, synonyma by proto "
                "ukazovala na nesprávná platná jména. Vytvořte obě tabulky znovu příkazem "
                "nardel-import.")
                .toStdString());
}

std::optional<AcceptedName> lookUpAcceptedName(Query& query, qint64 record) {
    const QString nameTable = TableSchema::names().tableFile;
    requireTablesOfOneImport(query.source());
    const QString parameter = QStringLiteral("record");
    query.clearSql();
    query.addSqlLine(QStringLiteral("select * from '%1'").arg(nameTable));
    query.addSqlLine(QStringLiteral("where %1= :%2").arg(Name::record, parameter));
    query.defineParam(parameter, Query::ParamType::Integer);
    query.setParam(parameter, record);
    query.open();
    if (query.eof())
        return std::nullopt;
    AcceptedName name;
    name.genus = query.field(query.fieldIndex(Name::genus)).asString();
    name.species = query.field(query.fieldIndex(Name::species)).asString();
    name.subsp = query.field(query.fieldIndex(Name::subsp)).asString();
    name.level = query.field(query.fieldIndex(Name::level)).asInteger();
    return name;
}
