#include "import/FingerprintTable.h"

FingerprintTable::Slot FingerprintTable::slotKey(const Fingerprint& key) {
    Slot slot{key.high, quint32(key.low), 0};
    if (slot.high == 0 && slot.low == 0)
        slot.low = 1; // the mark of a free slot
    return slot;
}

size_t FingerprintTable::slotOf(const Part& part, const Slot& key) {
    const size_t mask = part.table.size() - 1;
    size_t at = size_t(key.high) & mask;
    while ((part.table[at].high != 0 || part.table[at].low != 0) &&
           (part.table[at].high != key.high || part.table[at].low != key.low))
        at = (at + 1) & mask;
    return at;
}

void FingerprintTable::grow(Part& part) {
    std::vector<Slot> old(std::max<size_t>(64, part.table.size() * 2));
    old.swap(part.table);
    for (const Slot& slot : old) {
        if (slot.high != 0 || slot.low != 0)
            part.table[slotOf(part, slot)] = slot;
    }
}

std::optional<qint32> FingerprintTable::insert(const Fingerprint& key, qint32 value) {
    Part& part = partOf(key.high);
    // At most three quarters full, so that a search meets a free slot soon.
    if (4 * (part.size + 1) > 3 * qsizetype(part.table.size()))
        grow(part);
    Slot wanted = slotKey(key);
    Slot& slot = part.table[slotOf(part, wanted)];
    if (slot.high != 0 || slot.low != 0)
        return slot.value;
    wanted.value = value;
    slot = wanted;
    ++part.size;
    return std::nullopt;
}

std::optional<qint32> FingerprintTable::find(const Fingerprint& key) const {
    const Part& part = partOf(key.high);
    if (part.table.empty())
        return std::nullopt;
    const Slot& slot = part.table[slotOf(part, slotKey(key))];
    return slot.high != 0 || slot.low != 0 ? std::optional<qint32>(slot.value) : std::nullopt;
}

qsizetype FingerprintTable::size() const {
    qsizetype size = 0;
    for (const Part& part : parts_)
        size += part.size;
    return size;
}

void FingerprintTable::clear() {
    for (Part& part : parts_) {
        // "= {}" would keep the memory.
        decltype(part.table)().swap(part.table);
        part.size = 0;
    }
}
