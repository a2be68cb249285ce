#pragma once

#include "import/Fingerprint.h"

#include <optional>
#include <vector>

// A hash table from fingerprints to numbers, open addressing in one array of 16 bytes a key:
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
        if (!slots_.empty())
            __builtin_prefetch(&slots_[size_t(key.high) & (slots_.size() - 1)]);
    }
    qsizetype size() const { return size_; }
    // Frees the table's memory.
    void clear();

private:
    struct Slot {
        quint64 high = 0; // high and low 0: a free slot
        quint32 low = 0;
        qint32 value = 0;
    };
    static Slot slotKey(const Fingerprint& key);
    size_t slotOf(const Slot& key) const;
    void grow();

    std::vector<Slot> slots_;
    qsizetype size_ = 0;
};
