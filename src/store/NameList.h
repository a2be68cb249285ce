#pragma once

#include "store/Utf8List.h"

#include <QList>
#include <QString>

class Query;

// The entries of one drop-down list with the page and the author of each; entry i of each
// belongs to one row of the name table.
struct NameList {
    Utf8List texts;
    Utf8List authors; // none in the genus list
    QList<int> pages;

    // The species and subspecies lists begin with one blank entry: page 0, no author.
    static NameList withBlankEntry() {
        static const NameList blank = [] {
            NameList list{{}, {}, {0}};
            list.texts.append({});
            list.authors.append({});
            return list;
        }();
        return blank;
    }
};

// Runs a query and appends its rows in query order. `authorField` is empty for the genus list,
// which has no authors. Throws EngineError when a field is missing or a page is no integer.
void appendRows(Query& query, const QString& textField, const QString& authorField,
                const QString& pageField, NameList& list);
