#include "tools/SynonymQueries.h"

#include "platform/ClipboardText.h"
#include "store/Query.h"

QString synonymPattern(QStringView searchText) {
    return trimmedClipboardText(searchText).toString() + u'%';
}

QStringList synonymSearchLines() {
    return {QStringLiteral("select * from 'syns.db'"),
            QStringLiteral("where syn LIKE :") + synonymParameter};
}

AcceptedName lookUpAcceptedName(Query& query, qint64 record) {
    const QString parameter = QStringLiteral("record");
    query.clearSql();
    query.addSqlLine(QStringLiteral("select * from 'plantnames.db'"));
    query.addSqlLine(QStringLiteral("where pn_rec= :") + parameter);
    query.defineParam(parameter, Query::ParamType::Integer);
    query.setParam(parameter, record);
    query.open();
    AcceptedName name;
    if (query.eof())
        return name;
    name.genus = query.field(query.fieldIndex(QStringLiteral("genus"))).asString();
    name.species = query.field(query.fieldIndex(QStringLiteral("species"))).asString();
    name.subsp = query.field(query.fieldIndex(QStringLiteral("subsp"))).asString();
    name.level = query.field(query.fieldIndex(QStringLiteral("level_"))).asInteger();
    return name;
}
