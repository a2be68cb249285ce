#include "tools/RecordPages.h"

#include "store/EngineError.h"

#include <algorithm>
#include <limits>

RecordPages::RecordPages(BrowseTable& table, FailureReport reportFailure)
    : m_table(table), m_reportFailure(std::move(reportFailure)) {
    if (std::optional<QList<BrowseRecord>> opening = table.takeOpeningRecords())
        m_pages.emplace(0, Page{std::move(*opening), 0});
}

RecordPages::More RecordPages::readMore() {
    const qint64 index = m_known / pageSize;
    const qint64 end = index * pageSize + page(index).records.size();
    // A page cut short is the end of the table; so is one that failed.
    return {std::max<qint64>(end - m_known, 0), end < (index + 1) * pageSize};
}

void RecordPages::addRead(const More& more) {
    m_known += more.added;
    m_counted = more.end;
}

void RecordPages::setCounted(qint64 count) {
    m_known = count;
    m_counted = true;
}

const BrowseRecord& RecordPages::at(qint64 position) {
    static const BrowseRecord missing;
    if (position < 0 || position >= m_known)
        return missing;
    const qint64 index = position / pageSize;
    const QList<BrowseRecord>& records = page(index).records;
    const qint64 offset = position - index * pageSize;
    return offset < records.size() ? records[offset] : missing;
}

const RecordPages::Page& RecordPages::page(qint64 index) {
    auto page = m_pages.find(index);
    if (page == m_pages.end()) {
        if (m_pages.size() >= keptPages) {
            m_pages.erase(
                std::min_element(m_pages.begin(), m_pages.end(), [](const auto& a, const auto& b) {
                    return a.second.lastUse < b.second.lastUse;
                }));
        }
        page = m_pages.emplace(index, Page{load(index), 0}).first;
    }
    page->second.lastUse = ++m_uses;
    return page->second;
}

QList<BrowseRecord> RecordPages::load(qint64 index) {
    const qint64 first = index * pageSize;
    const int count = m_counted ? int(std::min<qint64>(pageSize, m_known - first)) : pageSize;
    // Pages already read bound the records around this one by their identities.
    std::optional<qint64> after;
    qint64 skipForward = first;
    std::optional<qint64> before;
    qint64 skipBackward = m_counted ? m_known - first - count : std::numeric_limits<qint64>::max();
    const auto above = m_pages.upper_bound(index);
    if (above != m_pages.begin()) {
        const auto below = std::prev(above);
        if (!below->second.records.isEmpty()) {
            after = below->second.records.constLast().id;
            skipForward = first - (below->first * pageSize + below->second.records.size());
        }
    }
    if (m_counted && above != m_pages.end() && !above->second.records.isEmpty()) {
        before = above->second.records.constFirst().id;
        skipBackward = above->first * pageSize - first - count;
    }
    // Another program may have changed the table since it was counted.
    skipForward = std::max<qint64>(skipForward, 0);
    skipBackward = std::max<qint64>(skipBackward, 0);
    try {
        return skipForward <= skipBackward ? m_table.readForward(after, skipForward, count)
                                           : m_table.readBackward(before, skipBackward, count);
    } catch (const EngineError& failure) {
        m_reportFailure(failure);
        return {};
    }
}

void RecordPages::changedFrom(qint64 position, qint64 known) {
    m_pages.erase(m_pages.lower_bound(std::max<qint64>(position, 0) / pageSize), m_pages.end());
    m_known = known;
}
