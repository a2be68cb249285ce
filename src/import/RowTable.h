#pragma once

#include "import/Fingerprint.h"

#include <array>
#include <optional>
#include <vector>

// A hash table of rows kept elsewhere (in a Spool, say), 8 bytes a key: 32 bits of the key's
// fingerprint beside the row's number, open addressing. Two keys whose 32 bits agree are told
// apart by `same`, which compares the key with the row itself: no two different keys are ever
// taken for one, and the row is read back only for a key that is there already, or about
// once in 2^32 for one that is not.
class RowTable {
public:
    // Adds the key with its row unless a row that `same(row)` finds equal to the key is there
    // already: then returns that row.
    template <typename Same>
    std::optional<qint32> insert(const Fingerprint& key, qint32 row, const Same& same) {
        Part& part = partOf(key.high);
        // At most seven eighths full: a search meets a free slot soon enough.
        if (8 * (part.size + 1) > 7 * qsizetype(part.cells.size()))
            grow(part);
        const size_t mask = part.cells.size() - 1;
        const quint64 check = checkOf(key);
        for (size_t at = homeOf(check, mask);; at = (at + 1) & mask) {
            quint64& slot = part.cells[at];
            if (slot == 0) {
                slot = check | quint32(row);
                ++part.size;
                return std::nullopt;
            }
            if ((slot & checkMask) == check && same(qint32(quint32(slot))))
                return qint32(quint32(slot));
        }
    }

    template <typename Same>
    std::optional<qint32> find(const Fingerprint& key, const Same& same) const {
        const Part& part = partOf(key.high);
        if (part.cells.empty())
            return std::nullopt;
        const size_t mask = part.cells.size() - 1;
        const quint64 check = checkOf(key);
        for (size_t at = homeOf(check, mask);; at = (at + 1) & mask) {
            const quint64 slot = part.cells[at];
            if (slot == 0)
                return std::nullopt;
            if ((slot & checkMask) == check && same(qint32(quint32(slot))))
                return qint32(quint32(slot));
        }
    }

    // Asks for the key's slot to be brought into the cache, as FingerprintTable::prefetch.
    void prefetch(const Fingerprint& key) const {
        const Part& part = partOf(key.high);
        if (!part.cells.empty())
            __builtin_prefetch(&part.cells[homeOf(checkOf(key), part.cells.size() - 1)]);
    }
    // Frees the table's memory.
    void clear();

private:
    // The keys are spread over parts by the top bits of their fingerprints, each growing on its
    // own, as in FingerprintTable.
    struct Part {
        std::vector<quint64> cells; // check in the high half, the row in the low; 0: free
        qsizetype size = 0;
    };
    static constexpr int partBits = 4;
    static constexpr quint64 checkMask = ~quint64(0xFFFFFFFF);

    // The top bits of the fingerprint choose the part, its low 32 bits are the check, whose
    // low bits are the slot where a search for the key begins: a growing part finds it again.
    // Never 0, so that a slot in use is never 0.
    static quint64 checkOf(const Fingerprint& key) {
        const quint32 check = quint32(key.high);
        return quint64(check == 0 ? 1 : check) << 32;
    }
    static size_t homeOf(quint64 check, size_t mask) { return size_t(check >> 32) & mask; }
    static void grow(Part& part);
    Part& partOf(quint64 high) { return parts_[high >> (64 - partBits)]; }
    const Part& partOf(quint64 high) const { return parts_[high >> (64 - partBits)]; }

    std::array<Part, 1 << partBits> parts_;
};
