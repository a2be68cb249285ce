#include "store/NameList.h"

#include "store/Query.h"
#include "store/TextBlocks.h"

void appendRows(Query& query, const QString& textField, const QString& authorField,
                const QString& pageField, NameList& list) {
    const int text = query.columnOf(textField);
    const int page = query.columnOf(pageField);
    const int author = authorField.isEmpty() ? -1 : query.columnOf(authorField);
    // As many as the last run gave, and before the first run room enough for most lists.
    const qsizetype expected = query.lastRunRows() > 0 ? query.lastRunRows() : 256;
    list.texts.reserve(list.texts.size() + expected);
    list.pages.reserve(list.pages.size() + expected);
    if (author >= 0) // authors are mostly shorter than 24 bytes
        list.authors.reserve(list.authors.size() + expected,
                             list.authors.byteSize() + 24 * expected);
    // The texts go straight from the statement into the list, sharing blocks of memory.
    TextBlocks texts(expected * 16); // most entries are shorter than 16 letters
    query.forEachRow([&](const Statement& row) {
        list.texts.append(texts.take(row.columnBytes(text)));
        list.pages.append(query.integerOf(row.column(page), page));
        if (author >= 0)
            list.authors.append(row.columnBytes(author));
    });
}
