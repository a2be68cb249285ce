#include "import/SynonymLinks.h"

#include <algorithm>

namespace {

// Thrown where the links pass SynonymLinks::mostLinks, caught by resolve().
struct TooManyLinks {};

template <typename Link>
void sortOnce(std::vector<Link>& links) {
    // The links come mostly in order already.
    if (!std::is_sorted(links.begin(), links.end()))
        std::sort(links.begin(), links.end());
    links.erase(std::unique(links.begin(), links.end()), links.end());
}

} // namespace

// The links come in the order of the synonyms: each synonym's PN_RECs follow the last's.
void SynonymLinks::addAccepted(qint32 synonym, qint32 record) {
    startUpTo(synonym);
    records_.push_back(record);
}

void SynonymLinks::startUpTo(qint32 synonym) {
    while (qint64(start_.size()) <= synonym)
        start_.push_back(qint32(std::min<size_t>(records_.size(), size_t(mostLinks) + 1)));
}

void SynonymLinks::addChained(qint32 synonym, qint32 to, qint64 place) {
    chained_.push_back({synonym, to});
    if (placeOf_.empty() || placeOf_.back().first != synonym)
        placeOf_.push_back({synonym, place});
}

void SynonymLinks::spend(qint64 links) {
    spent_ += links;
    if (spent_ > mostLinks)
        throw TooManyLinks();
}

SynonymLinks::Range SynonymLinks::rangeOf(qint32 synonym) const {
    const qint32 set = setOf_.empty() ? -1 : setOf_[size_t(synonym)];
    return set < 0 ? direct(synonym) : sets_[size_t(set)];
}

bool SynonymLinks::resolve(qint32 synonyms,
                           const std::function<void(bool cycle, qint64 place)>& failed) {
    sortOnce(chained_);
    try {
        spend(qint64(records_.size()));
        // Each synonym's PN_RECs in order, each once.
        startUpTo(synonyms);
        qint32 kept = 0;
        for (qint32 synonym = 0; synonym < synonyms; ++synonym) {
            const auto begin = records_.begin() + start_[size_t(synonym)];
            const auto end = records_.begin() + start_[size_t(synonym) + 1];
            start_[size_t(synonym)] = kept;
            std::sort(begin, end);
            const auto last = std::unique(begin, end);
            kept = qint32(std::copy(begin, last, records_.begin() + kept) - records_.begin());
        }
        start_[size_t(synonyms)] = kept;
        records_.resize(size_t(kept));
        if (!chained_.empty())
            resolveChains(synonyms);
    } catch (const TooManyLinks&) {
        return false;
    }
    for (const auto& [synonym, place] : placeOf_) {
        const Range set = rangeOf(synonym);
        if (set.first == set.second)
            failed(cycle_[size_t(synonym)], place);
    }
    decltype(chained_)().swap(chained_);
    decltype(placeOf_)().swap(placeOf_);
    decltype(chainStart_)().swap(chainStart_);
    decltype(component_)().swap(component_);
    decltype(cycle_)().swap(cycle_);
    decltype(ahead_)().swap(ahead_);
    return true;
}

// Finds the groups of synonyms that lead to each other (Tarjan's strongly connected
// components, without recursion however long the chain) and finishes each group after every
// group it leads to, so that each is worked through once.
void SynonymLinks::resolveChains(qint32 synonyms) {
    chainStart_.assign(size_t(synonyms) + 1, 0);
    for (const Link& link : chained_)
        ++chainStart_[size_t(link.from) + 1];
    for (size_t synonym = 0; synonym < size_t(synonyms); ++synonym)
        chainStart_[synonym + 1] += chainStart_[synonym];
    setOf_.assign(size_t(synonyms), -1);
    cycle_.assign(size_t(synonyms), false);
    component_.assign(size_t(synonyms), -1);
    std::vector<qint32> index(size_t(synonyms), -1);
    std::vector<qint32> low(size_t(synonyms), 0);
    std::vector<qint32> open;                     // met, their group not yet finished
    std::vector<std::pair<qint32, qint32>> calls; // a synonym and its next link to follow
    qint32 met = 0;
    qint32 components = 0;
    const auto meet = [&](qint32 synonym) {
        index[size_t(synonym)] = low[size_t(synonym)] = met++;
        open.push_back(synonym);
        calls.push_back({synonym, chainStart_[size_t(synonym)]});
    };
    for (const auto& [root, place] : placeOf_) {
        if (index[size_t(root)] >= 0)
            continue;
        meet(root);
        while (!calls.empty()) {
            const qint32 synonym = calls.back().first;
            qint32& next = calls.back().second;
            if (next < chainStart_[size_t(synonym) + 1]) {
                const qint32 to = chained_[size_t(next++)].to;
                if (index[size_t(to)] < 0)
                    meet(to);
                else if (component_[size_t(to)] < 0)
                    low[size_t(synonym)] = std::min(low[size_t(synonym)], index[size_t(to)]);
                continue;
            }
            calls.pop_back();
            if (!calls.empty()) {
                qint32& callerLow = low[size_t(calls.back().first)];
                callerLow = std::min(callerLow, low[size_t(synonym)]);
            }
            if (low[size_t(synonym)] != index[size_t(synonym)])
                continue;
            const auto first = std::find(open.rbegin(), open.rend(), synonym).base() - 1;
            const std::span<const qint32> members(first, open.end());
            for (const qint32 member : members)
                component_[size_t(member)] = components;
            finishComponent(members, components++);
            open.erase(first, open.end());
        }
    }
}

// The set of a group is its own direct PN_RECs with the sets of the groups it leads to. A
// group with nothing of its own that leads to one set shares it: a chain keeps one set.
void SynonymLinks::finishComponent(std::span<const qint32> members, qint32 component) {
    bool cycle = false;
    qint64 own = 0;
    ahead_.clear();
    for (const qint32 member : members) {
        own += direct(member).second - direct(member).first;
        for (qint32 link = chainStart_[size_t(member)]; link < chainStart_[size_t(member) + 1];
             ++link) {
            const qint32 to = chained_[size_t(link)].to;
            if (component_[size_t(to)] == component) {
                cycle = true;
                continue;
            }
            cycle = cycle || cycle_[size_t(to)];
            const Range set = rangeOf(to);
            if (set.first < set.second)
                ahead_.push_back(set);
        }
    }
    std::sort(ahead_.begin(), ahead_.end());
    ahead_.erase(std::unique(ahead_.begin(), ahead_.end()), ahead_.end());
    Range set;
    if (ahead_.empty() && members.size() == 1) {
        set = direct(members.front());
    } else if (own == 0 && ahead_.size() <= 1) {
        set = ahead_.empty() ? Range{0, 0} : ahead_.front();
    } else {
        qint64 size = own;
        for (const Range& range : ahead_)
            size += range.second - range.first;
        spend(size);
        const qint64 begin = qint64(records_.size());
        records_.reserve(records_.size() + size_t(size)); // no reallocation under the copies
        const auto copy = [this](const Range& range) {
            for (qint64 at = range.first; at < range.second; ++at)
                records_.push_back(records_[size_t(at)]);
        };
        for (const qint32 member : members)
            copy(direct(member));
        for (const Range& range : ahead_)
            copy(range);
        std::sort(records_.begin() + begin, records_.end());
        records_.erase(std::unique(records_.begin() + begin, records_.end()), records_.end());
        set = {begin, qint64(records_.size())};
    }
    const qint32 shared = qint32(sets_.size());
    for (const qint32 member : members) {
        cycle_[size_t(member)] = cycle;
        if (set != direct(member)) {
            spend(set.second - set.first);
            setOf_[size_t(member)] = shared;
        }
    }
    if (std::any_of(members.begin(), members.end(),
                    [&](qint32 member) { return setOf_[size_t(member)] == shared; }))
        sets_.push_back(set);
}

std::span<const qint32> SynonymLinks::acceptedOf(qint64 synonym) const {
    const Range set = rangeOf(qint32(synonym));
    return std::span<const qint32>(records_).subspan(size_t(set.first),
                                                     size_t(set.second - set.first));
}
