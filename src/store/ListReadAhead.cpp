#include "store/ListReadAhead.h"

#include "store/NameSource.h"
#include "store/Query.h"

namespace {

NameList readList(const ListReadAhead::Request& request) {
    NameSource source;
    source.setParam(QStringLiteral("PATH"), request.folder);
    source.connect();
    for (const QString& password : request.passwords)
        source.addPassword(password);
    Query query(source);
    for (const QString& line : request.sql)
        query.addSqlLine(line);
    // The read passes over each page of its tables once: a few pages of cache do, and the
    // start does not hold the engine's default two megabytes for a read that has ended.
    for (const QString& file : Query::tablesNamedIn(request.sql.join(u'\n')))
        source.connection().exec(
            QStringLiteral("PRAGMA %1.cache_size = 8").arg(source.attach(file)));
    NameList list;
    appendRows(query, request.textField, QString(), request.pageField, list);
    return list;
}

} // namespace

ListReadAhead::ListReadAhead(Request request)
    : m_list(std::async(std::launch::async,
                        [request = std::move(request)] { return readList(request); })) {}
