#include "store/SynonymLinks.h"

#include <algorithm>

void SynonymLinks::addId(const Fingerprint& id, qint64 place, qint32 target) {
    ids_.push_back({id, place, target});
}

void SynonymLinks::sortIds(const std::function<void(qint64 place)>& duplicate) {
    std::stable_sort(ids_.begin(), ids_.end(),
                     [](const Id& a, const Id& b) { return a.id < b.id; });
    std::vector<qint64> later;
    for (size_t at = 1; at < ids_.size(); ++at) {
        if (ids_[at].id == ids_[at - 1].id)
            later.push_back(ids_[at].place);
    }
    std::sort(later.begin(), later.end());
    for (const qint64 place : later)
        duplicate(place);
}

void SynonymLinks::addSynonym(qint64 place, std::span<const Fingerprint> targets,
                              const FailureSink& failed) {
    const qint32 synonym = synonyms_++;
    bool chained = false;
    for (const Fingerprint& target : targets) {
        const auto found = std::lower_bound(
            ids_.begin(), ids_.end(), target,
            [](const Id& id, const Fingerprint& print) { return id.id < print; });
        if (found == ids_.end() || found->id != target) {
            failed(Failure::Missing, place);
        } else if (found->target == notImported) {
            failed(Failure::NotImported, place);
        } else if (found->target > 0) {
            accepted_.push_back({synonym, found->target});
        } else {
            chained_.push_back({synonym, -2 - found->target});
            chained = true;
        }
    }
    if (chained)
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

void SynonymLinks::resolve(const FailureSink& failed) {
    ids_ = {};
    std::vector<Link> throughChains;
    if (!chained_.empty()) {
        std::vector<qint32> stamp(size_t(synonyms_), 0);
        std::vector<qint32> found;
        qint32 generation = 0;
        for (const auto& [synonym, place] : placeOf_) {
            found.clear();
            const bool cycle = follow(synonym, found, stamp, ++generation);
            for (const qint32 record : found)
                throughChains.push_back({synonym, record});
            if (found.empty())
                failed(cycle ? Failure::Cycle : Failure::NotImported, place);
        }
    }
    accepted_.insert(accepted_.end(), throughChains.begin(), throughChains.end());
    const auto order = [](const Link& a, const Link& b) {
        return a.from != b.from ? a.from < b.from : a.to < b.to;
    };
    std::sort(accepted_.begin(), accepted_.end(), order);
    accepted_.erase(std::unique(accepted_.begin(), accepted_.end(),
                                [](const Link& a, const Link& b) {
                                    return a.from == b.from && a.to == b.to;
                                }),
                    accepted_.end());
    // One PN_REC after the other, with where each synonym's begin.
    start_.assign(size_t(synonyms_) + 1, 0);
    records_.reserve(accepted_.size());
    size_t at = 0;
    for (qint32 synonym = 0; synonym < synonyms_; ++synonym) {
        start_[size_t(synonym)] = qint32(records_.size());
        for (; at < accepted_.size() && accepted_[at].from == synonym; ++at)
            records_.push_back(accepted_[at].to);
    }
    start_[size_t(synonyms_)] = qint32(records_.size());
    accepted_ = {};
    chained_ = {};
    placeOf_ = {};
}

std::span<const qint32> SynonymLinks::acceptedOf(qint64 synonym) const {
    return std::span<const qint32>(records_).subspan(
        size_t(start_[size_t(synonym)]),
        size_t(start_[size_t(synonym) + 1] - start_[size_t(synonym)]));
}
