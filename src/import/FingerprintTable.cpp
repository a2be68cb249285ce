#include "import/FingerprintTable.h"

FingerprintTable::Slot FingerprintTable::slotKey(const Fingerprint& key) {
    Slot slot{key.high, quint32(key.low), 0};
    if (slot.high == 0 && slot.low == 0)
        slot.low = 1; // the mark of a free slot
    return slot;
}

size_t FingerprintTable::slotOf(const Slot& key) const {
    const size_t mask = slots_.size() - 1;
    size_t at = size_t(key.high) & mask;
    while ((slots_[at].high != 0 || slots_[at].low != 0) &&
           (slots_[at].high != key.high || slots_[at].low != key.low))
        at = (at + 1) & mask;
    return at;
}

void FingerprintTable::grow() {
    std::vector<Slot> old(std::max<size_t>(1024, slots_.size() * 2));
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.high != 0 || slot.low != 0)
            slots_[slotOf(slot)] = slot;
    }
}

std::optional<qint32> FingerprintTable::insert(const Fingerprint& key, qint32 value) {
    // At most three quarters full, so that a search meets a free slot soon.
    if (4 * (size_ + 1) > 3 * qsizetype(slots_.size()))
        grow();
    Slot wanted = slotKey(key);
    Slot& slot = slots_[slotOf(wanted)];
    if (slot.high != 0 || slot.low != 0)
        return slot.value;
    wanted.value = value;
    slot = wanted;
    ++size_;
    return std::nullopt;
}

std::optional<qint32> FingerprintTable::find(const Fingerprint& key) const {
    if (slots_.empty())
        return std::nullopt;
    const Slot& slot = slots_[slotOf(slotKey(key))];
    return slot.high != 0 || slot.low != 0 ? std::optional<qint32>(slot.value) : std::nullopt;
}

void FingerprintTable::clear() {
    // "= {}" would keep the memory.
    decltype(slots_)().swap(slots_);
    size_ = 0;
}
