#pragma once

#include "store/BrowseTable.h"

#include <functional>
#include <map>

class EngineError;

// The records of a table by position, read a page at a time when first asked for and kept
// while they are used, so that a table of any size costs what is on the screen. Until the
// records are counted, only those from the first on that have been read are known; once
// counted, a page is read from the nearest page already read or from either end of the table,
// whichever passes over fewer records. A page that cannot be read stays empty, and the
// failure is reported once.
class RecordPages {
public:
    using FailureReport = std::function<void(const EngineError&)>;

    // The first page is the records that the table read when it was opened, if they were not
    // taken yet.
    RecordPages(BrowseTable& table, FailureReport reportFailure);

    // The records known: those read so far, or all once counted.
    qint64 known() const { return m_known; }
    bool counted() const { return m_counted; }

    // Records read after the known ones, and whether they end the table.
    struct More {
        qint64 added = 0;
        bool end = false;
    };
    // Reads the page after the known records; they become known by addRead().
    More readMore();
    void addRead(const More& more);
    // All records are known from now on: `count` of them.
    void setCounted(qint64 count);
    // The record at a known position, valid until the next call; an empty one where the table
    // no longer has it.
    const BrowseRecord& at(qint64 position);
    // The records from `position` on have changed, and `known` are known now.
    void changedFrom(qint64 position, qint64 known);

private:
    // A page is the table's first screen, a little more than the window shows at its usual
    // size, so that opening reads that screen and no more.
    static constexpr int pageSize = BrowseTable::openingRecords;
    static constexpr size_t keptPages = 128;
    struct Page {
        QList<BrowseRecord> records;
        quint64 lastUse = 0;
    };

    const Page& page(qint64 index);
    QList<BrowseRecord> load(qint64 index);

    BrowseTable& m_table;
    FailureReport m_reportFailure;
    qint64 m_known = 0;
    bool m_counted = false;
    std::map<qint64, Page> m_pages; // by index, so that a page's neighbours are at hand
    quint64 m_uses = 0;
};
