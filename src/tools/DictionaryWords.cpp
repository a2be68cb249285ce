#include "tools/DictionaryWords.h"

#include "store/Query.h"

namespace {

// Qt collates the C locale (LANG=C, C.UTF-8, POSIX) by code point, capitals first and heeding
// letter case whatever it is told. Such a locale has no rules of its own, so it takes the
// root rules, which are English's: ICU tailors no collation for English.
QLocale collationLocale(const QLocale& locale) {
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

} // namespace

WordList::WordList(const QLocale& locale) : m_collator(collationLocale(locale)) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

void WordList::AddWord(const QString& word) {
    m_words.try_emplace(m_collator.sortKey(word), word);
}

QStringList WordList::words() const {
    QStringList words;
    words.reserve(size());
    for (const auto& entry : m_words)
        words.append(entry.second);
    return words;
}

void addValueWords(WordList& list, const QString& value, bool splitAtHyphen) {
    const qsizetype hyphen = splitAtHyphen ? value.indexOf(u'-') : -1;
    if (hyphen <= 0) {
        if (!value.isEmpty())
            list.AddWord(value);
        return;
    }
    list.AddWord(value.first(hyphen));
    if (hyphen + 1 < value.size())
        list.AddWord(value.sliced(hyphen + 1));
}

QStringList dictionaryQueryLines(const QString& tableName, const DictionaryFields& fields) {
    const QString from = QStringLiteral(" FROM '") + tableName + u'\'';
    return {QStringLiteral("SELECT DISTINCT ") + fields.genus + from, QStringLiteral("UNION "),
            QStringLiteral("SELECT ") + fields.species + from,        QStringLiteral("UNION "),
            QStringLiteral("SELECT ") + fields.subsp + from,          QStringLiteral("ORDER BY 1")};
}

void readDictionaryWords(NameSource& source, const QString& tableName,
                         const DictionaryFields& fields, bool splitAtHyphen, WordList& list) {
    Query query(source);
    for (const QString& line : dictionaryQueryLines(tableName, fields))
        query.addSqlLine(line);
    query.open();
    for (query.first(); !query.eof(); query.next())
        addValueWords(list, query.field(0).asString(), splitAtHyphen);
    query.close();
}
