#pragma once

#include <QtGlobal>
#include <functional>
#include <span>
#include <vector>

// Leads each synonym of a checklist to the accepted names it points to, directly or through
// other synonyms. Synonyms are numbered in the order of the checklist; links are added in
// that order.
class SynonymLinks {
public:
    // The synonym points to the name table's row `record` (PN_REC).
    void addAccepted(qint32 synonym, qint32 record);
    // The synonym points to another synonym.
    void addChained(qint32 synonym, qint32 to, qint64 place);
    // Follows the links between synonyms; tells `failed` the place of each synonym that points
    // only to synonyms and is led to no accepted name, and whether it is caught in a cycle.
    void resolve(qint32 synonyms, const std::function<void(bool cycle, qint64 place)>& failed);
    // The PN_RECs that synonym k leads to, once resolved.
    std::span<const qint32> acceptedOf(qint64 synonym) const;

private:
    struct Link {
        qint32 from;
        qint32 to;
    };
    bool follow(qint32 synonym, std::vector<qint32>& found, std::vector<qint32>& stamp,
                qint32 generation) const;

    std::vector<Link> accepted_; // synonym, PN_REC
    std::vector<Link> chained_;  // synonym, the synonym it points to
    std::vector<std::pair<qint32, qint64>> placeOf_; // of the synonyms that point to synonyms
    std::vector<qint32> records_; // resolved: the PN_RECs of all synonyms in their order ...
    std::vector<qint32> start_;   // ... where each synonym's begin
};
