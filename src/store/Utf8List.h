#pragma once

#include <QByteArrayView>
#include <QString>
#include <vector>

// Texts kept as the UTF-8 bytes that SQLite gives, one after another in one array, and made
// text only when one is read: a list's authors are many, and only the chosen entry's is read.
class Utf8List {
public:
    void reserve(qsizetype texts, qsizetype bytes) {
        m_ends.reserve(size_t(texts));
        m_bytes.reserve(size_t(bytes));
    }
    void append(QByteArrayView text) {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_ends.push_back(m_bytes.size());
    }
    qsizetype size() const { return qsizetype(m_ends.size()); }
    qsizetype byteSize() const { return qsizetype(m_bytes.size()); }
    // Empty when there is no text `index`.
    QString value(qsizetype index) const {
        if (index < 0 || index >= size())
            return {};
        const size_t begin = index == 0 ? 0 : m_ends[size_t(index) - 1];
        return QString::fromUtf8(m_bytes.data() + begin, qsizetype(m_ends[size_t(index)] - begin));
    }

private:
    std::vector<char> m_bytes;
    std::vector<size_t> m_ends; // where each text ends in m_bytes
};
