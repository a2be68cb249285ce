#include "tools/SynonymQueries.h"

#include "platform/ClipboardText.h"
#include "store/NameSource.h"
#include "store/Query.h"
#include "store/TableAbout.h"

#include <QCoreApplication>
#include <stdexcept>

QString synonymPattern(QStringView searchText) {
    return trimmedClipboardText(searchText).toString() + u'%';
}

QStringList synonymSearchLines() {
    return {QStringLiteral("select * from 'syns.db'"),
            QStringLiteral("where syn LIKE :") + synonymParameter};
}

std::optional<AcceptedName> lookUpAcceptedName(Query& query, qint64 record) {
    const QString nameTable = QStringLiteral("plantnames.db");
    NameSource& source = query.source();
    if (source.about(synonymTable).value(TableAbout::importStamp) !=
        source.about(nameTable).value(TableAbout::importStamp))
        throw std::runtime_error(
            QCoreApplication::translate(
                "SynonymQueries",
                "Tabulky plantnames.db a syns.db nepocházejí z jednoho importu, synonyma by proto "
                "ukazovala na nesprávná platná jména. Vytvořte obě tabulky znovu příkazem "
                "nardel-import.")
                .toStdString());
    const QString parameter = QStringLiteral("record");
    query.clearSql();
    query.addSqlLine(QStringLiteral("select * from '%1'").arg(nameTable));
    query.addSqlLine(QStringLiteral("where pn_rec= :") + parameter);
    query.defineParam(parameter, Query::ParamType::Integer);
    query.setParam(parameter, record);
    query.open();
    if (query.eof())
        return std::nullopt;
    AcceptedName name;
    name.genus = query.field(query.fieldIndex(QStringLiteral("genus"))).asString();
    name.species = query.field(query.fieldIndex(QStringLiteral("species"))).asString();
    name.subsp = query.field(query.fieldIndex(QStringLiteral("subsp"))).asString();
    name.level = query.field(query.fieldIndex(QStringLiteral("level_"))).asInteger();
    return name;
}
