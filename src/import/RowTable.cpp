#include "import/RowTable.h"

void RowTable::grow(Part& part) {
    std::vector<quint64> old(std::max<size_t>(64, part.cells.size() * 2));
    old.swap(part.cells);
    const size_t mask = part.cells.size() - 1;
    for (const quint64 slot : old) {
        if (slot == 0)
            continue;
        size_t at = homeOf(slot & checkMask, mask);
        while (part.cells[at] != 0)
            at = (at + 1) & mask;
        part.cells[at] = slot;
    }
}

void RowTable::clear() {
    for (Part& part : parts_) {
        decltype(part.cells)().swap(part.cells); // "= {}" would keep the memory
        part.size = 0;
    }
}
