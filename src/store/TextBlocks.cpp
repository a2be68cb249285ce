#include "store/TextBlocks.h"

#include <algorithm>

namespace {
// Below the size that the allocator maps afresh from the system for each block.
constexpr qsizetype blockUnits = 32 * 1024;
constexpr qsizetype smallestBlockUnits = 256;
} // namespace

char16_t* TextBlocks::widenUtf8(QByteArrayView bytes, char16_t* out) {
    const QString converted = QString::fromUtf8(bytes);
    return std::copy(converted.utf16(), converted.utf16() + converted.size(), out);
}

void TextBlocks::clear() {
    m_lastUnits = m_usedBefore + (m_free - m_blockStart);
    // Swapped out rather than cleared: a long result's memory goes with its texts.
    std::vector<QString>().swap(m_blocks);
    m_block = nullptr;
    m_blockStart = m_free = m_end = nullptr;
    m_usedBefore = 0;
}

void TextBlocks::beginBlock(qsizetype units) {
    m_usedBefore += m_free - m_blockStart;
    // Each block twice the last, up to the largest: a short list takes little memory.
    const qsizetype wanted = m_blocks.empty()
                                 ? std::clamp(m_lastUnits, smallestBlockUnits, blockUnits)
                                 : std::min(2 * m_blocks.back().capacity(), blockUnits);
    QString& block = m_blocks.emplace_back();
    block.reserve(std::max(wanted, units));
    m_block = block.data_ptr().d_ptr();
    m_blockStart = m_free = block.data_ptr().data();
    // The last unit stays free: QString's own zero may go there.
    m_end = m_blockStart + block.capacity() - 1;
}

QStringView TextBlocks::view(Place place) const {
    return QStringView(m_blocks[size_t(place.at >> 32)].data_ptr().data() + (place.at & 0xffffffff),
                       place.size);
}

QString TextBlocks::text(Place place) const {
    if (place.size == 0)
        return QStringLiteral("");
    auto& block = const_cast<QString::DataPointer&>(m_blocks[size_t(place.at >> 32)].data_ptr());
    return shared(block.d_ptr(), view(place));
}
