#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>
#include <vector>

// Texts kept as the UTF-8 bytes that SQLite gives, one after another in one array, and made
// text only when one is read: a list holds thousands of names, and a window shows a screen of
// them. Copies share the bytes until one of them changes, as Qt's containers do. UTF-8 sorts
// by its bytes as the texts sort by their code points.
class Utf8List {
    struct Texts {
        std::vector<char> bytes;
        std::vector<size_t> ends; // where each text ends in bytes
    };

public:
    void reserve(qsizetype texts, qsizetype bytes) {
        Texts& own = owned();
        own.ends.reserve(size_t(texts));
        own.bytes.reserve(size_t(bytes));
    }
    void append(QByteArrayView text) { Appender (*this)(text); }
    // Appends texts to a list that shares them with no other: a list filled in one go looks
    // once, not for every text.
    class Appender {
    public:
        explicit Appender(Utf8List& list) : m_texts(list.owned()) {}
        void operator()(QByteArrayView text) {
            m_texts.bytes.insert(m_texts.bytes.end(), text.begin(), text.end());
            m_texts.ends.push_back(m_texts.bytes.size());
        }

    private:
        Texts& m_texts;
    };
    qsizetype size() const { return m_texts ? qsizetype(m_texts->ends.size()) : 0; }
    qsizetype byteSize() const { return m_texts ? qsizetype(m_texts->bytes.size()) : 0; }
    // Empty when there is no text `index`.
    QByteArrayView bytes(qsizetype index) const {
        if (index < 0 || index >= size())
            return {};
        const size_t begin = index == 0 ? 0 : m_texts->ends[size_t(index) - 1];
        return QByteArrayView(m_texts->bytes.data() + begin,
                              qsizetype(m_texts->ends[size_t(index)] - begin));
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

    friend bool operator==(const Utf8List& a, const Utf8List& b) {
        return a.m_texts == b.m_texts ||
               (a.size() == b.size() && a.byteSize() == b.byteSize() &&
                (a.size() == 0 ||
                 (a.m_texts->ends == b.m_texts->ends && a.m_texts->bytes == b.m_texts->bytes)));
    }

private:
    // The texts of this list alone, copied from those it shares before it changes them.
    Texts& owned() {
        if (!m_texts)
            m_texts = std::make_shared<Texts>();
        else if (m_texts.use_count() > 1)
            m_texts = std::make_shared<Texts>(*m_texts);
        return *m_texts;
    }

    std::shared_ptr<Texts> m_texts;
};
