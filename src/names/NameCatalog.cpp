#include "names/NameCatalog.h"

#include "names/NameParser.h"
#include "names/NameWords.h"
#include "names/NameWriter.h"

#include <QHashFunctions>
#include <algorithm>
#include <array>
#include <bit>

namespace {

// The standard rank words below the species (as NameWords::rankOf gives them); a name keeps
// the index of its rank, 0 for none.
constexpr std::array<QByteArrayView, 17> rankWords{
    "",          "subsp.",  "var.",    "f.",     "subvar.", "subf.",  "nothosubsp.",
    "nothovar.", "nothof.", "convar.", "proles", "lus.",    "morph.", "grex",
    "mut.",      "nm.",     "agamosp."};

quint8 rankIndex(QByteArrayView standard) {
    const auto found = std::find(rankWords.begin() + 1, rankWords.end(), standard);
    return found == rankWords.end() ? 0 : quint8(found - rankWords.begin());
}

enum WordFlag : quint8 { GenusWord = 1, EpithetWord = 2 };
enum NameFlag : quint8 { Synonym = 1, GenusHybrid = 2, SpeciesHybrid = 4, InfraHybrid = 8 };

// The word without a hybrid sign glued before it, and whether it had one.
QByteArrayView withoutSign(QByteArrayView word, bool& hybrid) {
    hybrid = NameWords::startsWithHybridSign(word);
    return hybrid ? word.sliced(NameWords::hybridSign.size()) : word;
}

size_t hashOf(QByteArrayView text) {
    return qHashBits(text.data(), size_t(text.size()), 0);
}

quint64 mix(quint64 value) {
    value ^= value >> 33;
    value *= 0xff51afd7ed558ccdULL;
    value ^= value >> 33;
    value *= 0xc4ceb9fe1a85ec53ULL;
    return value ^ (value >> 33);
}

} // namespace

NameCatalog::NameCatalog() : wordSlots_(1024, 0) {}

NameCatalog::Word NameCatalog::lookUp(QByteArrayView text, size_t hash) const {
    const size_t mask = wordSlots_.size() - 1;
    const quint64 high = quint64(hash) >> 32 << 32;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const quint64 entry = wordSlots_[slot];
        if (entry == 0)
            return noWord;
        if ((entry & 0xFFFFFFFF00000000ULL) != high)
            continue;
        const Word word = Word(entry & 0xFFFFFFFF) - 1;
        const WordEntry& known = words_[word];
        if (known.length == text.size() &&
            QByteArrayView(text_.constData() + known.offset, known.length) == text)
            return word;
    }
}

void NameCatalog::growWords() {
    std::vector<quint64> grown(wordSlots_.size() * 2, 0);
    const size_t mask = grown.size() - 1;
    for (Word word = 0; word < words_.size(); ++word) {
        const size_t hash = hashOf(text(word));
        size_t slot = hash & mask;
        while (grown[slot] != 0)
            slot = (slot + 1) & mask;
        grown[slot] = (quint64(hash) >> 32 << 32) | (word + 1);
    }
    wordSlots_.swap(grown);
}

NameCatalog::Word NameCatalog::intern(QByteArrayView text, quint8 flags) {
    Q_ASSERT(!finished_);
    if (text.isEmpty())
        return noWord;
    // Longer texts are cut: no name's word is that long.
    text = text.first(std::min<qsizetype>(text.size(), 0xFFFF));
    size_t hash = hashOf(text);
    Word word = lookUp(text, hash);
    if (word == noWord) {
        if ((words_.size() + 1) * 2 > wordSlots_.size())
            growWords();
        word = Word(words_.size());
        words_.push_back({quint32(text_.size()), 0, 0, quint16(text.size()), 0});
        text_.append(text);
        const size_t mask = wordSlots_.size() - 1;
        size_t slot = hash & mask;
        while (wordSlots_[slot] != 0)
            slot = (slot + 1) & mask;
        wordSlots_[slot] = (quint64(hash) >> 32 << 32) | (word + 1);
    }
    words_[word].flags |= flags;
    return word;
}

NameCatalog::Id NameCatalog::add(const Entry& entry) {
    Q_ASSERT(!finished_);
    names_.push_back(entry);
    return Id(names_.size() - 1);
}

NameCatalog::Id NameCatalog::addAccepted(QByteArrayView genus, QByteArrayView species,
                                         QByteArrayView infraWithRank, QByteArrayView authors) {
    Entry entry{noWord, noWord, noWord, noWord, Id(names_.size()), 0, 0};
    bool hybrid = false;
    entry.genus = intern(withoutSign(genus, hybrid), GenusWord);
    entry.flags |= hybrid ? GenusHybrid : 0;
    if (!species.isEmpty()) {
        entry.species = intern(withoutSign(species, hybrid), EpithetWord);
        entry.flags |= hybrid ? SpeciesHybrid : 0;
    }
    if (!infraWithRank.isEmpty()) {
        const qsizetype space = infraWithRank.indexOf(' ');
        QByteArrayView infra = infraWithRank;
        if (space > 0) {
            entry.rank = rankIndex(NameWords::rankOf(infraWithRank.first(space)));
            infra = infraWithRank.sliced(space + 1);
        }
        entry.infra = intern(withoutSign(infra, hybrid), 0);
        entry.flags |= hybrid ? InfraHybrid : 0;
    }
    entry.authors = intern(authors.trimmed(), 0);
    return add(entry);
}

void NameCatalog::addSynonym(QByteArrayView wholeName, Id accepted) {
    const BotanicalName parsed = parseName(wholeName);
    if (parsed.kind != BotanicalName::Kind::Name || parsed.genusAbbreviated)
        return;
    Entry entry{noWord, noWord, noWord, noWord, accepted, 0, Synonym};
    entry.genus = intern(parsed.genus, GenusWord);
    entry.flags |= parsed.genusHybrid ? GenusHybrid : 0;
    if (!parsed.species.isEmpty()) {
        entry.species = intern(parsed.species, EpithetWord);
        entry.flags |= parsed.speciesHybrid ? SpeciesHybrid : 0;
    }
    if (!parsed.infra.isEmpty()) {
        entry.rank = rankIndex(parsed.rank);
        entry.infra = intern(parsed.infra, 0);
        entry.flags |= parsed.infraHybrid ? InfraHybrid : 0;
    }
    add(entry);
}

size_t NameCatalog::nameHash(Word genus, Word species, quint8 rank, Word infra) const {
    return size_t(mix((quint64(genus) << 32 | species) ^ mix(quint64(infra) << 8 | rank)));
}

void NameCatalog::index(std::vector<Id>& list, bool byGenus) {
    // Species only: names below them are found through their species' words.
    for (Id id = 0; id < names_.size(); ++id) {
        const Entry& entry = names_[id];
        if (entry.species != noWord && entry.infra == noWord &&
            (byGenus || !(words_[entry.species].flags & GenusWord)))
            list.push_back(id);
    }
    const auto key = [&](Id id) {
        const Entry& entry = names_[id];
        return byGenus ? std::tuple(entry.genus, words_[entry.species].length, entry.species)
                       : std::tuple(entry.species, quint16(0), entry.genus);
    };
    std::stable_sort(list.begin(), list.end(), [&](Id a, Id b) { return key(a) < key(b); });
    for (size_t at = 0; at < list.size();) {
        const Word word = byGenus ? names_[list[at]].genus : names_[list[at]].species;
        size_t end = at;
        while (end < list.size() &&
               (byGenus ? names_[list[end]].genus : names_[list[end]].species) == word)
            ++end;
        words_[word].first = quint32(at);
        words_[word].count = quint32(end - at);
        at = end;
    }
    list.shrink_to_fit();
}

void NameCatalog::finish() {
    Q_ASSERT(!finished_);
    // A genus known only from synonyms gets a name of its own.
    std::vector<bool> hasRow(words_.size(), false);
    for (const Entry& entry : names_) {
        if (entry.species == noWord)
            hasRow[entry.genus] = true;
    }
    for (Word word = 0; word < words_.size(); ++word) {
        if ((words_[word].flags & GenusWord) && !hasRow[word])
            add({word, noWord, noWord, noWord, noId, 0, Synonym});
    }
    finished_ = true;
    nameSlots_.assign(std::bit_ceil(std::max<size_t>(names_.size() * 2, 16)), 0);
    const size_t mask = nameSlots_.size() - 1;
    // Accepted names first: they win over synonyms of the same words.
    for (const bool synonyms : {false, true}) {
        for (Id id = 0; id < names_.size(); ++id) {
            const Entry& entry = names_[id];
            if (bool(entry.flags & Synonym) != synonyms)
                continue;
            if (find(entry.genus, entry.species, rankWords[entry.rank], entry.infra) != noId)
                continue;
            size_t slot = nameHash(entry.genus, entry.species, entry.rank, entry.infra) & mask;
            while (nameSlots_[slot] != 0)
                slot = (slot + 1) & mask;
            nameSlots_[slot] = id + 1;
        }
    }
    index(byGenus_, true);
    index(byEpithet_, false);
    names_.shrink_to_fit();
    words_.shrink_to_fit();
    text_.squeeze();
}

qsizetype NameCatalog::bytesUsed() const {
    return qsizetype(sizeof *this + size_t(text_.capacity()) +
                     words_.capacity() * sizeof(WordEntry) + wordSlots_.capacity() * 8 +
                     names_.capacity() * sizeof(Entry) +
                     (nameSlots_.capacity() + byGenus_.capacity() + byEpithet_.capacity()) * 4);
}

NameCatalog::Word NameCatalog::word(QByteArrayView text) const {
    return text.isEmpty() || text.size() > 0xFFFF ? noWord : lookUp(text, hashOf(text));
}

QByteArrayView NameCatalog::text(Word word) const {
    if (word == noWord)
        return {};
    return QByteArrayView(text_.constData() + words_[word].offset, words_[word].length);
}

bool NameCatalog::isGenus(Word word) const {
    return word != noWord && (words_[word].flags & GenusWord);
}

bool NameCatalog::isEpithet(Word word) const {
    return word != noWord && (words_[word].flags & EpithetWord);
}

NameCatalog::Id NameCatalog::find(Word genus, Word species, QByteArrayView rank, Word infra) const {
    Q_ASSERT(finished_);
    if (genus == noWord)
        return noId;
    const quint8 rankAt = rankIndex(rank);
    const size_t mask = nameSlots_.size() - 1;
    for (size_t slot = nameHash(genus, species, rankAt, infra) & mask;; slot = (slot + 1) & mask) {
        const Id stored = nameSlots_[slot];
        if (stored == 0)
            return noId;
        const Entry& entry = names_[stored - 1];
        if (entry.genus == genus && entry.species == species && entry.infra == infra &&
            entry.rank == rankAt)
            return stored - 1;
    }
}

std::span<const NameCatalog::Id> NameCatalog::speciesOf(Word genus) const {
    if (!isGenus(genus))
        return {};
    return std::span(byGenus_).subspan(words_[genus].first, words_[genus].count);
}

std::span<const NameCatalog::Id> NameCatalog::speciesWithEpithet(Word epithet) const {
    if (!isEpithet(epithet) || (words_[epithet].flags & GenusWord))
        return {};
    return std::span(byEpithet_).subspan(words_[epithet].first, words_[epithet].count);
}

QList<NameCatalog::Id> NameCatalog::generaWithEpithet(QByteArrayView prefix, Word epithet) const {
    QList<Id> found;
    Word last = noWord;
    // The list is in the order of the genus words: one species for each.
    for (const Id id : speciesWithEpithet(epithet)) {
        const Word genus = names_[id].genus;
        if (genus != last && text(genus).startsWith(prefix))
            found.append(id);
        last = genus;
    }
    return found;
}

NameCatalog::Name NameCatalog::name(Id id) const {
    const Entry& entry = names_[id];
    Name name;
    name.genus = text(entry.genus);
    name.genusHybrid = entry.flags & GenusHybrid;
    name.species = text(entry.species);
    name.speciesHybrid = entry.flags & SpeciesHybrid;
    name.rank = rankWords[entry.rank];
    name.infra = text(entry.infra);
    name.infraHybrid = entry.flags & InfraHybrid;
    name.authors = text(entry.authors);
    name.synonym = entry.flags & Synonym;
    name.accepted = entry.accepted;
    return name;
}

QByteArray NameCatalog::written(Id id, bool withAuthors) const {
    const Name parts = name(id);
    BotanicalName name;
    name.kind = BotanicalName::Kind::Name;
    name.genus = parts.genus;
    name.genusHybrid = parts.genusHybrid;
    name.species = parts.species;
    name.speciesHybrid = parts.speciesHybrid;
    name.rank = parts.rank;
    name.infra = parts.infra;
    name.infraHybrid = parts.infraHybrid;
    if (withAuthors)
        (parts.infra.isEmpty() ? name.speciesAuthors : name.infraAuthors).text = parts.authors;
    return writeName(name);
}
