#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <cstring>

// Texts kept as the UTF-8 bytes that SQLite gives, one after another in one array, and made
// text only when one is read: a list holds thousands of names, and a window shows a screen of
// them. Copies share the bytes until one of them changes, as Qt's containers do. UTF-8 sorts
// by its bytes as the texts sort by their code points.
class Utf8List {
public:
    void reserve(qsizetype texts, qsizetype bytes) {
        m_ends.reserve(texts);
        m_bytes.reserve(bytes);
    }
    void append(QByteArrayView text) {
        // Copied in place: QByteArray::append() takes the general path of an insert.
        const qsizetype at = m_bytes.size();
        m_bytes.resize(at + text.size());
        if (!text.isEmpty())
            std::memcpy(m_bytes.data() + at, text.data(), size_t(text.size()));
        m_ends.append(m_bytes.size());
    }
    qsizetype size() const { return m_ends.size(); }
    qsizetype byteSize() const { return m_bytes.size(); }
    // Empty when there is no text `index`.
    QByteArrayView bytes(qsizetype index) const {
        if (index < 0 || index >= size())
            return {};
        const qsizetype begin = index == 0 ? 0 : m_ends[index - 1];
        return QByteArrayView(m_bytes).sliced(begin, m_ends[index] - begin);
    }
    QString value(qsizetype index) const { return QString::fromUtf8(bytes(index)); }
    // The first text equal to `text`, or -1.
    qsizetype indexOf(QByteArrayView text) const {
        for (qsizetype index = 0; index < size(); ++index) {
            if (bytes(index) == text)
                return index;
        }
        return -1;
    }

    friend bool operator==(const Utf8List&, const Utf8List&) = default;

private:
    QByteArray m_bytes;
    QList<qsizetype> m_ends; // where each text ends in m_bytes
};
