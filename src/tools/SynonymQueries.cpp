#include "tools/SynonymQueries.h"

#include "store/Query.h"

QString trimmedText(QStringView text) {
    const auto isBlank = [](QChar ch) { return ch.unicode() <= 32; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

QString synonymPattern(QStringView searchText) {
    return trimmedText(searchText) + u'%';
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
