#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QtGlobal>
#include <span>
#include <vector>

// Every name of the tables, accepted or synonym, for finding names in texts. Its words are
// kept once each in one byte buffer; names and words are found through open-addressing tables
// of 32-bit indexes. It is filled, then finished, and from then on only read: a finished
// catalog may be read from several threads at once.
//
// Words are compared as they are written, without their hybrid signs: "Abies ×borisii-regis"
// is found as "Abies borisii-regis" and written again with its sign.
class NameCatalog {
public:
    using Id = quint32;
    static constexpr Id noId = ~Id(0);
    // A word of the catalog: a genus, an epithet or an authorship.
    using Word = quint32;
    static constexpr Word noWord = ~Word(0);

    // One name's words. Views into the catalog, valid while it lives.
    struct Name {
        QByteArrayView genus;
        bool genusHybrid = false;
        QByteArrayView species; // empty for a genus
        bool speciesHybrid = false;
        QByteArrayView rank; // the standard word: "subsp.", "var.", "f." ...
        QByteArrayView infra;
        bool infraHybrid = false;
        QByteArrayView authors; // of the lowest rank; none for a synonym
        bool synonym = false;
        // The accepted name; the name itself when accepted, noId for a genus known only from
        // synonyms.
        Id accepted = noId;
    };

    NameCatalog();

    // A row of the name table: a genus (species empty), a species, or a name below one with
    // its rank word and epithet as the table has them ("subsp. maroccana").
    Id addAccepted(QByteArrayView genus, QByteArrayView species, QByteArrayView infraWithRank,
                   QByteArrayView authors);
    // A row of the synonym table: a whole name without authors. A text that is no name is
    // skipped. The synonym's genus becomes a genus of the catalog.
    void addSynonym(QByteArrayView wholeName, Id accepted);
    // Builds the lookup tables; nothing may be added after.
    void finish();

    qsizetype size() const { return qsizetype(names_.size()); }
    Name name(Id id) const;
    // The name as the program writes names ("Abies ×borisii-regis Mattf.").
    QByteArray written(Id id, bool withAuthors) const;
    // The bytes the catalog holds, its tables included.
    qsizetype bytesUsed() const;

    // The word as the catalog has it, or noWord.
    Word word(QByteArrayView text) const;
    QByteArrayView text(Word word) const;
    bool isGenus(Word word) const;
    bool isGenus(QByteArrayView text) const { return isGenus(word(text)); }
    bool isEpithet(Word word) const;

    // The name of exactly these words (species noWord for a genus alone; rank as the
    // standard word, or empty with infra noWord), or noId. Where an accepted name and a
    // synonym have the same words, the accepted one.
    Id find(Word genus, Word species, QByteArrayView rank = {}, Word infra = noWord) const;

    // The species of a genus, accepted and synonyms, shortest epithets first: where a
    // misspelled epithet is looked for.
    std::span<const Id> speciesOf(Word genus) const;
    // The species that have this epithet, in any genus: where a misspelled genus is looked
    // for.
    std::span<const Id> speciesWithEpithet(Word epithet) const;
    // One species for each genus beginning with `prefix` ("P" of "P. abies") that has this
    // epithet.
    QList<Id> generaWithEpithet(QByteArrayView prefix, Word epithet) const;

    // The species word and genus word of a name, for the finder's loops.
    Word genusOf(Id id) const { return names_[id].genus; }
    Word speciesWordOf(Id id) const { return names_[id].species; }

private:
    struct Entry {
        Word genus;
        Word species;
        Word infra;
        Word authors;
        Id accepted;
        quint8 rank; // index into the standard ranks; 0: none
        quint8 flags;
    };
    struct WordEntry {
        quint32 offset; // of its bytes in text_
        quint32 first;  // its names in byGenus_ or byEpithet_
        quint32 count;
        quint16 length;
        quint8 flags;
    };

    Word intern(QByteArrayView text, quint8 flags);
    Word lookUp(QByteArrayView text, size_t hash) const;
    void growWords();
    Id add(const Entry& entry);
    size_t nameHash(Word genus, Word species, quint8 rank, Word infra) const;
    void index(std::vector<Id>& list, bool byGenus);

    QByteArray text_;
    std::vector<WordEntry> words_;
    std::vector<quint64> wordSlots_; // the hash's high half and the word + 1; 0 is free
    std::vector<Entry> names_;
    std::vector<Id> nameSlots_; // the name + 1; 0 is free
    std::vector<Id> byGenus_;
    std::vector<Id> byEpithet_;
    bool finished_ = false;
};
