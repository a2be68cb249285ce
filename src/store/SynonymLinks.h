#pragma once

#include "store/Fingerprint.h"

#include <QList>
#include <functional>
#include <span>
#include <vector>

// Leads each synonym of a checklist to the accepted names its ids point to, directly or
// through other synonyms. Ids are known by their fingerprints; an id that several rows share
// leads where its first row does.
class SynonymLinks {
public:
    // What an id leads to: a row of the name table (its PN_REC, from 1), a row that was not
    // written, or the k-th synonym.
    static constexpr qint32 notImported = -1;
    static qint32 synonymTarget(qint64 synonym) { return qint32(-2 - synonym); }

    enum class Failure {
        Missing,     // an id that no row of the archive has
        NotImported, // a row that is not in the name table, or a chain that ends in one
        Cycle,       // synonyms that point to each other and to no accepted name
    };
    using FailureSink = std::function<void(Failure, qint64 place)>;

    // The ids of the rows, in the order of the rows.
    void addId(const Fingerprint& id, qint64 place, qint32 target);
    // Orders the ids for look-ups; tells `duplicate` the place of each row whose id an earlier
    // row has.
    void sortIds(const std::function<void(qint64 place)>& duplicate);
    // The synonyms in their order (the k-th call is synonym k), with the ids they point to.
    // Links that fail are told to `failed` at once, those through other synonyms by resolve().
    void addSynonym(qint64 place, std::span<const Fingerprint> targets, const FailureSink& failed);
    // Follows the links between synonyms; the ids are no longer needed after it.
    void resolve(const FailureSink& failed);
    // The PN_REC of the accepted names that synonym k leads to, once resolved.
    std::span<const qint32> acceptedOf(qint64 synonym) const;

private:
    struct Id {
        Fingerprint id;
        qint64 place;
        qint32 target;
    };
    struct Link {
        qint32 from;
        qint32 to;
    };

    bool follow(qint32 synonym, std::vector<qint32>& found, std::vector<qint32>& stamp,
                qint32 generation) const;

    std::vector<Id> ids_;
    std::vector<Link> accepted_; // synonym, PN_REC
    std::vector<Link> chained_;  // synonym, the synonym it points to
    std::vector<std::pair<qint32, qint64>> placeOf_; // of the synonyms that point to synonyms
    qint32 synonyms_ = 0;
    std::vector<qint32> records_; // resolved: the PN_RECs of all synonyms in their order ...
    std::vector<qint32> start_;   // ... where each synonym's begin
};
