#pragma once

#include "import/Fingerprint.h"

#include <array>
#include <optional>
#include <vector>

// A hash table from fingerprints to numbers, open addressing in arrays of 16 bytes a key:
// the ids and names of a world checklist in little memory. Keys are told apart by 96 bits of
// their fingerprints.
class FingerprintTable {
public:
    // Adds the key with its value; when the key is there already, keeps the first value and
    // returns it.
    std::optional<qint32> insert(const Fingerprint& key, qint32 value);
    std::optional<qint32> find(const Fingerprint& key) const;
    // Asks for the key's slot to be brought into the cache: an insert or a find of the key
    // soon after waits less, and several such waits overlap.
    void prefetch(const Fingerprint& key) const {
        const Part& part = partOf(key.high);
        if (!part.table.empty())
            __builtin_prefetch(&part.table[size_t(key.high) & (part.table.size() - 1)]);
    }
    qsizetype size() const;
    // Frees the table's memory.
    void clear();

private:
    struct Slot {
        quint64 high = 0; // high and low 0: a free slot
        quint32 low = 0;
        qint32 value = 0;
    };
    // The keys are spread over parts by the top bits of their fingerprints, each part growing
    // on its own: a part that grows holds its old and its new slots at once, a small share
    // of the whole where one array would need half as much again.
    struct Part {
        std::vector<Slot> table;
        qsizetype size = 0;
    };
    static constexpr int partBits = 4;

    static Slot slotKey(const Fingerprint& key);
    static size_t slotOf(const Part& part, const Slot& key);
    static void grow(Part& part);
    Part& partOf(quint64 high) { return parts_[high >> (64 - partBits)]; }
    const Part& partOf(quint64 high) const { return parts_[high >> (64 - partBits)]; }

    std::array<Part, 1 << partBits> parts_;
};
