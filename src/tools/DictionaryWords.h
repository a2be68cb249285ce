#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <map>

class NameSource;

// The fields of the name table whose values go into the dictionary.
struct DictionaryFields {
    QString genus;
    QString species;
    QString subsp;
};

// The words of a dictionary, kept in the order of a locale's collation with letter case
// ignored. That same comparison finds duplicates: of words that differ only in letter case
// the one added first stays, with its own letter case.
class WordList {
public:
    explicit WordList(const QLocale& locale = QLocale());

    // Adds the word at its sorted place unless an equal word is there already.
    void AddWord(const QString& word);
    qsizetype size() const { return qsizetype(m_words.size()); }
    QStringList words() const;

private:
    struct KeyLess {
        bool operator()(const QCollatorSortKey& a, const QCollatorSortKey& b) const {
            return a.compare(b) < 0;
        }
    };

    QCollator m_collator;
    // Sort keys make each comparison a byte compare instead of a collation run.
    std::map<QCollatorSortKey, QString, KeyLess> m_words;
};

// Adds the words of one field value: none for an empty value; with `splitAtHyphen`, the text
// before the first hyphen and the text after it (which keeps any further hyphens) when the
// value has a hyphen after its first character; otherwise the whole value. An empty piece,
// as after a hyphen at the end, is no word.
void addValueWords(WordList& list, const QString& value, bool splitAtHyphen);

// The six SQL lines that unite the distinct values of the three fields.
QStringList dictionaryQueryLines(const QString& tableName, const DictionaryFields& fields);

// Reads the united values from the name table into `list`. Throws EngineError.
void readDictionaryWords(NameSource& source, const QString& tableName,
                         const DictionaryFields& fields, bool splitAtHyphen, WordList& list);
