#include "store/SynonymLinks.h"

#include <algorithm>

void SynonymLinks::addAccepted(qint32 synonym, qint32 record) {
    accepted_.push_back({synonym, record});
}

void SynonymLinks::addChained(qint32 synonym, qint32 to, qint64 place) {
    chained_.push_back({synonym, to});
    if (placeOf_.empty() || placeOf_.back().first != synonym)
        placeOf_.push_back({synonym, place});
}

// Collects the PN_RECs that a synonym leads to through the synonyms it points to, without
// recursion, however long the chain. `stamp` marks a synonym 2g while it is being followed in
// generation g and 2g + 1 when it is done. Returns whether a synonym was met on its own way.
bool SynonymLinks::follow(qint32 synonym, std::vector<qint32>& found, std::vector<qint32>& stamp,
                          qint32 generation) const {
    const auto byFrom = [](const Link& link, qint32 from) { return link.from < from; };
    const qint32 onTheWay = 2 * generation;
    bool cycle = false;
    std::vector<std::pair<qint32, bool>> stack{{synonym, false}};
    while (!stack.empty()) {
        const auto [current, leaving] = stack.back();
        stack.pop_back();
        qint32& mark = stamp[size_t(current)];
        if (leaving) {
            mark = onTheWay + 1;
            continue;
        }
        if (mark == onTheWay)
            cycle = true;
        if (mark == onTheWay || mark == onTheWay + 1)
            continue;
        mark = onTheWay;
        stack.push_back({current, true});
        for (auto link = std::lower_bound(accepted_.begin(), accepted_.end(), current, byFrom);
             link != accepted_.end() && link->from == current; ++link)
            found.push_back(link->to);
        for (auto link = std::lower_bound(chained_.begin(), chained_.end(), current, byFrom);
             link != chained_.end() && link->from == current; ++link)
            stack.push_back({link->to, false});
    }
    return cycle;
}

void SynonymLinks::resolve(qint32 synonyms,
                           const std::function<void(bool cycle, qint64 place)>& failed) {
    const auto order = [](const Link& a, const Link& b) {
        return a.from != b.from ? a.from < b.from : a.to < b.to;
    };
    // The links come mostly in order already.
    if (!std::is_sorted(accepted_.begin(), accepted_.end(), order))
        std::sort(accepted_.begin(), accepted_.end(), order);
    if (!std::is_sorted(chained_.begin(), chained_.end(), order))
        std::sort(chained_.begin(), chained_.end(), order);
    std::vector<Link> throughChains;
    if (!chained_.empty()) {
        std::vector<qint32> stamp(size_t(synonyms), 0);
        std::vector<qint32> found;
        qint32 generation = 0;
        for (const auto& [synonym, place] : placeOf_) {
            found.clear();
            const bool cycle = follow(synonym, found, stamp, ++generation);
            for (const qint32 record : found)
                throughChains.push_back({synonym, record});
            if (found.empty())
                failed(cycle, place);
        }
    }
    if (!throughChains.empty()) {
        accepted_.insert(accepted_.end(), throughChains.begin(), throughChains.end());
        std::sort(accepted_.begin(), accepted_.end(), order);
    }
    accepted_.erase(std::unique(accepted_.begin(), accepted_.end(),
                                [](const Link& a, const Link& b) {
                                    return a.from == b.from && a.to == b.to;
                                }),
                    accepted_.end());
    // One PN_REC after the other, with where each synonym's begin.
    start_.assign(size_t(synonyms) + 1, 0);
    records_.reserve(accepted_.size());
    size_t at = 0;
    for (qint32 synonym = 0; synonym < synonyms; ++synonym) {
        start_[size_t(synonym)] = qint32(records_.size());
        for (; at < accepted_.size() && accepted_[at].from == synonym; ++at)
            records_.push_back(accepted_[at].to);
    }
    start_[size_t(synonyms)] = qint32(records_.size());
    decltype(accepted_)().swap(accepted_);
    decltype(chained_)().swap(chained_);
    decltype(placeOf_)().swap(placeOf_);
}

std::span<const qint32> SynonymLinks::acceptedOf(qint64 synonym) const {
    return std::span<const qint32>(records_).subspan(
        size_t(start_[size_t(synonym)]),
        size_t(start_[size_t(synonym) + 1] - start_[size_t(synonym)]));
}
