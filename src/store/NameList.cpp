#include "store/NameList.h"

#include "store/Query.h"

void appendRows(Query& query, const QString& textField, const QString& authorField,
                const QString& pageField, NameList& list) {
    const int text = query.fieldIndex(textField);
    const int page = query.fieldIndex(pageField);
    const int author = authorField.isEmpty() ? -1 : query.fieldIndex(authorField);
    const int count = query.recordCount();
    list.texts.reserve(list.texts.size() + count);
    list.pages.reserve(list.pages.size() + count);
    if (author >= 0)
        list.authors.reserve(list.authors.size() + count);
    for (query.first(); !query.eof(); query.next()) {
        list.texts.append(query.field(text).asString());
        list.pages.append(query.field(page).asInteger());
        if (author >= 0)
            list.authors.append(query.field(author).asString());
    }
}
