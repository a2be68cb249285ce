#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <vector>

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

    Place append(QByteArrayView utf8) {
        // UTF-16 takes no more units than UTF-8 takes bytes, and a zero follows each text,
        // as a QString's data ends.
        if (m_end - m_free <= utf8.size())
            beginBlock(utf8.size() + 1);
        char16_t* const begin = m_free;
        char16_t* end = widenAscii(utf8, begin);
        if (!end)
            end = widenUtf8(utf8, begin);
        *end = 0;
        m_free = end + 1;
        return {qint64(m_blocks.size() - 1) << 32 | (begin - m_blockStart), qint32(end - begin)};
    }
    QString text(Place place) const;
    QStringView view(Place place) const;
    // Appends a text and hands it out at once.
    QString take(QByteArrayView utf8) { return text(append(utf8)); }

    // Lets go of the blocks; texts handed out keep theirs. The next texts are expected to
    // take about as much room as these did.
    void clear();

private:
    void beginBlock(qsizetype units);
    // Names are mostly ASCII, which is widened eight bytes at a time. Returns the end of the
    // units written, or null at a byte that is not ASCII.
    static char16_t* widenAscii(QByteArrayView bytes, char16_t* out);
    static char16_t* widenUtf8(QByteArrayView bytes, char16_t* out);

    // Never moved once written; a new block begins when the last is full. Only the room
    // between m_free and m_end is written: texts handed out share a block while more are
    // written after them, and each sees only its own units.
    std::vector<QString> m_blocks;
    char16_t* m_blockStart = nullptr;
    char16_t* m_free = nullptr;
    char16_t* m_end = nullptr;
    qsizetype m_usedBefore = 0; // by the blocks before the last
    qsizetype m_lastUnits = 0;  // by the blocks that clear() let go
};
