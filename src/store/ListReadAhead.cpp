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
    NameList list;
    appendRows(query, request.textField, QString(), request.pageField, list);
    return list;
}

} // namespace

ListReadAhead::ListReadAhead(Request request)
    : m_list(std::async(std::launch::async,
                        [request = std::move(request)] { return readList(request); })) {}
