#pragma once

#include <QtGlobal>
#include <functional>
#include <span>
#include <utility>
#include <vector>

// Leads each synonym of a checklist to the accepted names it points to, directly or through
// other synonyms. Synonyms are numbered in the order of the checklist; links are added in
// that order. The work grows with the links and the names they lead to, not with the length
// of the chains or cycles between synonyms.
class SynonymLinks {
public:
    // How many links from synonyms to accepted names the whole checklist may come to, the
    // links through other synonyms counted for each synonym they lead from.
    static constexpr qint64 mostLinks = 20'000'000;

    // Room for `links` of addAccepted() from `synonyms`, so that the lists need not grow by
    // copying.
    void expect(qint64 links, qint32 synonyms) {
        records_.reserve(size_t(links));
        start_.reserve(size_t(synonyms) + 1);
    }
    // The synonym points to the name table's row `record` (PN_REC).
    void addAccepted(qint32 synonym, qint32 record);
    // The synonym points to another synonym.
    void addChained(qint32 synonym, qint32 to, qint64 place);
    // Follows the links between synonyms; tells `failed` the place of each synonym that points
    // only to synonyms and is led to no accepted name, and whether a cycle was on its way.
    // False, and nothing resolved, when the links would come to more than mostLinks.
    [[nodiscard]] bool resolve(qint32 synonyms,
                               const std::function<void(bool cycle, qint64 place)>& failed);
    // The PN_RECs that synonym k leads to, once resolved, in ascending order.
    std::span<const qint32> acceptedOf(qint64 synonym) const;

private:
    struct Link {
        qint32 from;
        qint32 to;
        bool operator<(const Link& other) const {
            return from != other.from ? from < other.from : to < other.to;
        }
        bool operator==(const Link&) const = default;
    };
    using Range = std::pair<qint64, qint64>; // begin and end in records_

    void resolveChains(qint32 synonyms);
    void finishComponent(std::span<const qint32> members, qint32 component);
    Range direct(qint32 synonym) const {
        return {start_[size_t(synonym)], start_[size_t(synonym) + 1]};
    }
    void startUpTo(qint32 synonym);
    Range rangeOf(qint32 synonym) const;
    void spend(qint64 links);

    std::vector<Link> chained_;                      // synonym, the synonym it points to
    std::vector<std::pair<qint32, qint64>> placeOf_; // of the synonyms that point to synonyms
    std::vector<qint32> records_; // the direct PN_RECs of all synonyms in their order, then
                                  // the sets reached through chains
    // Where each synonym's direct PN_RECs begin: 32 bits, as the links are at most mostLinks.
    std::vector<qint32> start_;
    std::vector<qint32> chainStart_; // where each synonym's links to synonyms begin
    std::vector<Range> sets_;        // the sets reached through chains ...
    std::vector<qint32> setOf_;      // ... each synonym's, or -1 for its direct PN_RECs
    std::vector<qint32> component_;  // while resolving: the synonyms that lead to each other
    std::vector<bool> cycle_;        // whether a cycle lies on a synonym's way
    std::vector<Range> ahead_;       // while resolving: the sets a component leads to
    qint64 spent_ = 0;               // links made so far, against mostLinks
};
