#include "store/NameList.h"

#include "store/Query.h"

#include <optional>

void appendRows(Query& query, const QString& textField, const QString& authorField,
                const QString& pageField, NameList& list) {
    const int text = query.columnOf(textField);
    const int page = query.columnOf(pageField);
    const int author = authorField.isEmpty() ? -1 : query.columnOf(authorField);
    // As many as the last run gave, and before the first run room enough for most lists.
    const qsizetype expected = query.lastRunRows() > 0 ? query.lastRunRows() : 256;
    // Most entries are shorter than 16 bytes.
    list.texts.reserve(list.texts.size() + expected, list.texts.byteSize() + 16 * expected);
    list.pages.reserve(list.pages.size() + expected);
    if (author >= 0) // authors are mostly shorter than 24 bytes
        list.authors.reserve(list.authors.size() + expected,
                             list.authors.byteSize() + 24 * expected);
    Utf8List::Appender texts(list.texts);
    std::optional<Utf8List::Appender> authors;
    if (author >= 0)
        authors.emplace(list.authors);
    query.forEachRow([&](const Statement& row) {
        texts(row.columnBytes(text));
        list.pages.append(query.integerOf(row.column(page), page));
        if (authors)
            (*authors)(row.columnBytes(author));
    });
}
