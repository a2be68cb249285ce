#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <bit>
#include <cstring>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Texts read from SQLite as UTF-8, kept as UTF-16 in blocks that many texts share, so that a
// text costs no allocation of its own. A text handed out holds on to its block, as a copy of
// a QString holds on to the original's data; changing it copies it first.
class TextBlocks {
public:
    // Where a text lies: its block and offset, and its length in UTF-16 units.
    struct Place {
        qint64 at = 0;
        qint32 size = 0;
    };

    // `expectedUnits`: about how many UTF-16 units the texts will take, so that a list of known
    // length begins with a block of about its size.
    explicit TextBlocks(qsizetype expectedUnits = 0) : m_lastUnits(expectedUnits) {}

    Place append(QByteArrayView utf8) {
        const QStringView written = write(utf8);
        return {qint64(m_blocks.size() - 1) << 32 | (written.utf16() - m_blockStart),
                qint32(written.size())};
    }
    QString text(Place place) const;
    QStringView view(Place place) const;
    // Appends a text and hands it out at once: a list's entries are read this way.
    QString take(QByteArrayView utf8) { return shared(m_block, write(utf8)); }

    // Lets go of the blocks; texts handed out keep theirs. The next texts are expected to
    // take about as much room as these did.
    void clear();

private:
    // A view into a block that holds a reference to it, as QString's own copies do.
    static QString shared(QTypedArrayData<char16_t>* block, QStringView units) {
        block->ref();
        return QString(
            QString::DataPointer(block, const_cast<char16_t*>(units.utf16()), units.size()));
    }
    // Writes a text into the free room, with a zero after it, as a QString's data ends.
    QStringView write(QByteArrayView utf8) {
        // UTF-16 takes no more units than UTF-8 takes bytes.
        if (m_end - m_free <= utf8.size())
            beginBlock(utf8.size() + 1);
        char16_t* const begin = m_free;
        char16_t* end = widenAscii(utf8, begin);
        if (!end)
            end = widenUtf8(utf8, begin);
        *end = 0;
        m_free = end + 1;
        return QStringView(begin, end);
    }
    void beginBlock(qsizetype units);
    // Names are mostly ASCII, which is widened here four and eight bytes at a time; a text's
    // last bytes are taken with the chunk that ends with them, whose first units are written
    // again with the same values. Returns the end of the units written, or null at a byte that
    // is not ASCII.
    static char16_t* widenAscii(QByteArrayView bytes, char16_t* out) {
        const char* in = bytes.data();
        const qsizetype size = bytes.size();
        if constexpr (std::endian::native == std::endian::little) {
            if (size >= 8) {
                for (qsizetype at = 0;; at += 8) {
                    if (at > size - 8)
                        at = size - 8;
                    if (!widen8(in + at, out + at))
                        return nullptr;
                    if (at == size - 8)
                        return out + size;
                }
            }
            if (size >= 4) {
                if (!widen4(in, out) || !widen4(in + size - 4, out + size - 4))
                    return nullptr;
                return out + size;
            }
        }
        for (qsizetype at = 0; at < size; ++at) {
            if (in[at] < 0)
                return nullptr;
            out[at] = char16_t(in[at]);
        }
        return out + size;
    }
    // Widens four or eight ASCII bytes; false when one of them is not ASCII.
    static bool widen4(const char* in, char16_t* out) {
        quint32 chunk;
        std::memcpy(&chunk, in, 4);
        if (chunk & 0x80808080u)
            return false;
        quint64 units = chunk;
        units = (units | units << 16) & 0x0000ffff0000ffffull;
        units = (units | units << 8) & 0x00ff00ff00ff00ffull;
        std::memcpy(out, &units, 8);
        return true;
    }
    static bool widen8(const char* in, char16_t* out) {
#ifdef __SSE2__
        const __m128i chunk = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in));
        if (_mm_movemask_epi8(chunk) != 0)
            return false;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                         _mm_unpacklo_epi8(chunk, _mm_setzero_si128()));
        return true;
#else
        quint64 chunk;
        std::memcpy(&chunk, in, 8);
        return !(chunk & 0x8080808080808080ull) && widen4(in, out) && widen4(in + 4, out + 4);
#endif
    }
    static char16_t* widenUtf8(QByteArrayView bytes, char16_t* out);

    // Never moved once written; a new block begins when the last is full. Only the room
    // between m_free and m_end is written: texts handed out share a block while more are
    // written after them, and each sees only its own units.
    std::vector<QString> m_blocks;
    QTypedArrayData<char16_t>* m_block = nullptr; // the last block's data
    char16_t* m_blockStart = nullptr;
    char16_t* m_free = nullptr;
    char16_t* m_end = nullptr;
    qsizetype m_usedBefore = 0; // by the blocks before the last
    qsizetype m_lastUnits = 0;  // by the blocks that clear() let go
};
