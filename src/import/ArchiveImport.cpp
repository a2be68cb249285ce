#include "import/ArchiveImport.h"

#include "import/ArchiveDescriptor.h"
#include "import/ArchiveFiles.h"
#include "import/ChecklistCitation.h"
#include "import/DelimitedReader.h"
#include "import/Fingerprint.h"
#include "import/FingerprintTable.h"
#include "import/ImportError.h"
#include "import/PairWriter.h"
#include "import/ReadAheadSource.h"
#include "import/RowTable.h"
#include "import/Spool.h"
#include "import/SynonymLinks.h"
#include "import/TableWriter.h"
#include "import/TaxonColumns.h"
#include "import/TaxonMapper.h"
#include "store/TablePassword.h"
#include "store/TableSchema.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

namespace ArchiveImport {
namespace {

constexpr qint64 progressStep = 1 << 14;
constexpr qint64 descriptorLimit = 4 << 20;
constexpr qint64 metadataLimit = 16 << 20;

namespace NameColumn = TableSchema::NameColumn;
namespace SynonymColumn = TableSchema::SynonymColumn;

[[noreturn]] void fail(const QString& text) {
    throw ImportError(text.toStdString());
}

QString folderOf(const QString& file) {
    const qsizetype slash = file.lastIndexOf('/');
    return slash < 0 ? QString() : file.first(slash + 1);
}

// Where a row stands: its line, and the core file when the core has several.
struct Place {
    static qint64 of(int file, qint64 line) { return (qint64(file) << 40) | line; }
};

// The checklist: its files, how its core is written and where its terms stand.
struct Checklist {
    ArchiveDescriptor descriptor;
    QString descriptorName;      // meta.xml as messages name it, or empty
    bool hasHeaderTerms = false; // a lone data file whose first line names the terms
};

Checklist describe(const ArchiveFiles& files) {
    Checklist checklist;
    const QString meta = files.descriptor();
    if (meta.isEmpty()) {
        // One data file whose first line names the terms, in the usual dialect of such files.
        const QString data = files.loneDataFile();
        TextDialect& dialect = checklist.descriptor.dialect;
        const QByteArray head = files.read(data, 1 << 16);
        if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
            const QString text = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(head.constData()), head.size() / 2);
            dialect.separator = text.section('\n', 0, 0).contains('\t') ? '\t' : ',';
        } else {
            dialect.separator = head.left(head.indexOf('\n')).contains('\t') ? '\t' : ',';
        }
        dialect.headerLines = 1;
        checklist.descriptor.files = {data};
        checklist.hasHeaderTerms = true;
        return checklist;
    }
    checklist.descriptorName = files.displayName(meta);
    checklist.descriptor = ArchiveDescriptor::read(files.read(meta, descriptorLimit),
                                                   folderOf(meta), checklist.descriptorName);
    const ArchiveDescriptor& descriptor = checklist.descriptor;
    const QString where =
        QStringLiteral("%1:%2").arg(checklist.descriptorName).arg(descriptor.coreLine);
    const QString rowType = descriptor.rowType.section('/', -1);
    if (rowType.compare(QLatin1String("Taxon"), Qt::CaseInsensitive) != 0)
        fail(QCoreApplication::translate(
                 "ArchiveImport", "%1: jádro archivu má řádky typu %2, ne Taxon: import čte jen "
                                  "seznamy taxonů")
                 .arg(where, descriptor.rowType.isEmpty() ? QStringLiteral("(neuveden)")
                                                          : descriptor.rowType));
    for (const QString& file : descriptor.files) {
        if (!files.contains(file))
            fail(QCoreApplication::translate("ArchiveImport", "%1: soubor jádra %2 v archivu není")
                     .arg(where, file));
    }
    return checklist;
}

// The citation: from the metadata the archive names or its eml.xml, else the dataset's name
// that meta.xml gives every row, else the archive's own name.
QString citationOf(const ArchiveFiles& files, const Checklist& checklist) {
    QStringList candidates;
    if (!checklist.descriptor.metadata.isEmpty())
        candidates.append(checklist.descriptor.metadata);
    const QString folder = checklist.descriptorName.isEmpty()
                               ? folderOf(checklist.descriptor.files.value(0))
                               : folderOf(files.descriptor());
    candidates.append(folder + QStringLiteral("eml.xml"));
    for (const QString& file : std::as_const(candidates)) {
        if (!files.contains(file))
            continue;
        const QString citation = ChecklistCitation::fromMetadata(files.read(file, metadataLimit));
        if (!citation.isEmpty())
            return citation;
    }
    for (const ArchiveDescriptor::Field& field : checklist.descriptor.fields) {
        if (field.term.endsWith(QLatin1String("/datasetName")) && !field.defaultValue.isEmpty())
            return field.defaultValue.simplified();
    }
    return files.baseName();
}

QString skipText(const TaxonRow& row) {
    const QString detail = QString::fromUtf8(row.detail).simplified().left(60);
    switch (row.skip) {
    case TaxonRow::Skip::Kingdom:
        return QCoreApplication::translate("ArchiveImport", "říše „%1“, ne rostliny").arg(detail);
    case TaxonRow::Skip::Status:
        return QCoreApplication::translate("ArchiveImport", "neznámý taxonomický status „%1“")
            .arg(detail);
    case TaxonRow::Skip::Rank:
        return QCoreApplication::translate("ArchiveImport", "rank „%1“ (bere se rod, druh a nižší)")
            .arg(detail);
    case TaxonRow::Skip::UnknownRank:
        return QCoreApplication::translate("ArchiveImport", "neznámý rank „%1“").arg(detail);
    case TaxonRow::Skip::NoName:
        return QCoreApplication::translate("ArchiveImport", "řádek bez vědeckého jména i rodu");
    case TaxonRow::Skip::NotAName:
        return QCoreApplication::translate("ArchiveImport", "jméno nezačíná rodem");
    case TaxonRow::Skip::AbbreviatedGenus:
        return QCoreApplication::translate("ArchiveImport", "rod jen zkratkou (jako „M. alpium“)");
    case TaxonRow::Skip::Unnamed:
        return QCoreApplication::translate("ArchiveImport",
                                           "místo jména taxonu (jako „Incertae sedis“)");
    case TaxonRow::Skip::Formula:
        return QCoreApplication::translate("ArchiveImport", "hybridní vzorec jako přijaté jméno");
    case TaxonRow::Skip::Cultivar:
        return QCoreApplication::translate("ArchiveImport", "kultivar");
    case TaxonRow::Skip::Surrogate:
        return QCoreApplication::translate("ArchiveImport", "jméno bez epiteta (sp., cf., aff. …)");
    case TaxonRow::Skip::NoRankWord:
        return QCoreApplication::translate("ArchiveImport",
                                           "jméno pod úrovní druhu bez slova ranku");
    case TaxonRow::Skip::NoRank:
        return QCoreApplication::translate("ArchiveImport",
                                           "jednoslovné jméno bez ranku (rod, nebo čeleď?)");
    case TaxonRow::Skip::RankNotInName:
        return QCoreApplication::translate("ArchiveImport", "rank „%1“ nesouhlasí se jménem")
            .arg(detail);
    case TaxonRow::Skip::SynonymNoTarget:
        return QCoreApplication::translate("ArchiveImport",
                                           "synonymum bez odkazu na přijaté jméno");
    }
    return {};
}

// The ids of a checklist sorted by their fingerprints, for looking up the synonyms' targets:
// 16 bytes an id, no room left free. The ids were told apart exactly as they were read; a
// target is found by 96 bits of its fingerprint, as FingerprintTable tells keys apart.
class SortedIds {
public:
    // From the ids' rows: text, then what the id leads to.
    explicit SortedIds(Spool& rows) {
        entries_.reserve(size_t(rows.records()));
        rows.rewind();
        while (rows.next()) {
            const Fingerprint print = Fingerprint::of(rows.text());
            entries_.push_back({print.high, quint32(print.low), qint32(rows.number())});
        }
        std::sort(entries_.begin(), entries_.end());
        // About four ids a bucket, found by the top bits of their fingerprints.
        while (shift_ > 1 && (quint64(1) << (64 - shift_)) * 4 < entries_.size())
            --shift_;
        const size_t buckets = size_t(1) << (64 - shift_);
        starts_.reserve(buckets + 1);
        size_t at = 0;
        for (size_t bucket = 0; bucket < buckets; ++bucket) {
            starts_.push_back(qint32(at));
            while (at < entries_.size() && (entries_[at].high >> shift_) == bucket)
                ++at;
        }
        starts_.push_back(qint32(at));
    }

    std::optional<qint32> find(const Fingerprint& key) const {
        const size_t bucket = size_t(key.high >> shift_);
        for (qint32 at = starts_[bucket]; at < starts_[bucket + 1]; ++at) {
            const Entry& entry = entries_[size_t(at)];
            if (entry.high == key.high && entry.low == quint32(key.low))
                return entry.target;
        }
        return std::nullopt;
    }

    void prefetch(const Fingerprint& key) const {
        const size_t bucket = size_t(key.high >> shift_);
        __builtin_prefetch(&starts_[bucket]);
        if (!entries_.empty())
            __builtin_prefetch(&entries_[std::min(
                entries_.size() - 1, size_t(double(key.high) / 0x1p64 * double(entries_.size())))]);
    }

private:
    struct Entry {
        quint64 high;
        quint32 low;
        qint32 target;
        bool operator<(const Entry& other) const {
            return high != other.high ? high < other.high : low < other.low;
        }
    };
    std::vector<Entry> entries_;
    std::vector<qint32> starts_; // where each bucket's ids begin, and the end
    int shift_ = 63;
};

class Importer {
public:
    Importer(const QString& archive, const QString& folder, const Progress& progress)
        : archive_(archive), files_(archive), folder_(folder), progress_(progress) {}

    ImportReport run() {
        const Checklist checklist = describe(files_);
        wholeCitation_ = citationOf(files_, checklist);
        report_.citation = ChecklistCitation::shortened(wholeCitation_);
        PairWriter pair(folder_, TablePassword::programPassword);
        writeNames(checklist, pair);
        writeSynonyms(pair.synonyms());
        pair.replace();
        return report_;
    }

private:
    QString where(qint64 place) const {
        const qint64 line = place & ((qint64(1) << 40) - 1);
        return coreFiles_.size() > 1
                   ? QStringLiteral("%1:%2").arg(coreFiles_[int(place >> 40)]).arg(line)
                   : QString::number(line);
    }

    void show(Phase phase, qint64 done, qint64 total, qint64 rows) const {
        if (progress_)
            progress_(phase, done, total, rows);
    }

    // Reads the core, then writes its names into the name table: the name table's cache and
    // what the reading keeps are never in memory together.
    void writeNames(const Checklist& checklist, PairWriter& pair) {
        readCore(checklist);
        if (records_ == 0)
            fail(QCoreApplication::translate(
                     "ArchiveImport",
                     "%1: v archivu není žádné přijaté jméno rodu, druhu ani nižšího "
                     "taxonu rostlin\n%2")
                     .arg(archive_, report_.text().trimmed()));
        addMissingParents();
        names_.clear();
        ids_.clear();

        TableWriter& writer = pair.names();
        const TableSchema::Layout& layout = TableSchema::names();
        const int level = layout.position(NameColumn::level);
        const int page = layout.position(NameColumn::page);
        const int recordColumn = layout.position(NameColumn::record);
        const int texts[] = {
            layout.position(NameColumn::genus), layout.position(NameColumn::species),
            layout.position(NameColumn::subsp), layout.position(NameColumn::author0),
            layout.position(NameColumn::author1)};
        nameRows_.rewind();
        for (qint32 record = 1; nameRows_.next(); ++record) {
            writer.setInteger(level, nameRows_.number());
            for (const int column : texts)
                writer.setText(column, nameRows_.text());
            writer.setInteger(page, 0);
            writer.setInteger(recordColumn, record);
            writer.insertRow();
            if (record % progressStep == 0)
                show(Phase::Names, record, records_, record);
        }
        show(Phase::Names, records_, records_, records_);
        writer.setAbout(TableAbout::citation, report_.citation);
        if (report_.citation != wholeCitation_)
            writer.setAbout(TableAbout::wholeCitation, wholeCitation_);
        writer.setAbout(TableAbout::pages, TableAbout::noPages);
        writer.buildIndexes();
        writer.finish();
    }

    void readCore(const Checklist& checklist) {
        const ArchiveDescriptor& descriptor = checklist.descriptor;
        coreFiles_ = descriptor.files;
        qint64 total = 0;
        for (const QString& file : coreFiles_)
            total += std::max<qint64>(files_.open(file)->size(), 0);
        qint64 before = 0;
        qint64 rows = 0;
        TaxonRow row;
        std::optional<TaxonColumns> columns;
        if (!checklist.hasHeaderTerms)
            columns = TaxonColumns::fromDescriptor(descriptor);
        for (int file = 0; file < coreFiles_.size(); ++file) {
            // The unpacking goes on in a thread of its own beside the reading of the rows.
            DelimitedReader reader(std::make_unique<ReadAheadSource>(files_.open(coreFiles_[file])),
                                   descriptor.dialect, files_.displayName(coreFiles_[file]));
            // The header lines, or the first row where they are fewer, tell how many columns
            // the file has.
            qsizetype width = -1;
            for (int header = 0; header < descriptor.dialect.headerLines; ++header) {
                if (!reader.next())
                    break;
                width = std::max(width, reader.fieldCount());
                if (header == 0 && checklist.hasHeaderTerms && file == 0)
                    columns = TaxonColumns::fromHeader(reader);
            }
            bool checked = false;
            const TaxonMapper mapper(*columns);
            while (reader.next()) {
                if (!checked) {
                    width = std::max(width, reader.fieldCount());
                    checkColumns(*columns, reader, width);
                    checked = true;
                }
                const qint64 place = Place::of(file, reader.line());
                if (reader.fieldCount() > width) {
                    report_.note(QCoreApplication::translate(
                                     "ArchiveImport", "řádek má víc polí než první řádek souboru"),
                                 where(place));
                } else {
                    mapper.map(reader, row);
                    take(row, place);
                }
                if (++rows % progressStep == 0)
                    show(Phase::Reading, before + reader.bytesRead(), total, rows);
            }
            before += reader.bytesRead();
        }
        show(Phase::Reading, before, total, rows);
    }

    void checkColumns(const TaxonColumns& columns, const DelimitedReader& reader,
                      qsizetype width) const {
        const int highest = columns.highestColumn();
        if (highest >= width)
            reader.fail(reader.line(),
                        QCoreApplication::translate(
                            "ArchiveImport", "meta.xml čte sloupec %1 (%2), ale řádek má jen %3 "
                                             "sloupců")
                            .arg(highest)
                            .arg(columns.termAt(highest))
                            .arg(width));
    }

    // Keeps what an id leads to; an id that an earlier row has leads where that row does.
    void noteId(QByteArrayView id, qint32 target, qint64 place) {
        if (!id.isEmpty())
            noteId(Fingerprint::of(id), id, target, place);
    }

    void noteId(const Fingerprint& print, QByteArrayView id, qint32 target, qint64 place) {
        const auto same = [&](qint32 row) {
            Spool::Cursor kept = idRows_.from(row);
            kept.next();
            return kept.text() == id;
        };
        if (ids_.insert(print, qint32(idRows_.records()), same)) {
            noteDuplicateId(place);
            return;
        }
        idRows_.addText(id);
        idRows_.addNumber(target);
        idRows_.endRecord();
    }

    void noteDuplicateId(qint64 place) {
        report_.note(QCoreApplication::translate(
                         "ArchiveImport", "id, které má už dřívější řádek (odkazy vedou na první)"),
                     where(place));
    }

    void take(const TaxonRow& row, qint64 place) {
        switch (row.kind) {
        case TaxonRow::Kind::Skipped:
            report_.note(skipText(row), where(place));
            noteId(row.id, notImported, place);
            return;
        case TaxonRow::Kind::Synonym: {
            synonyms_.addNumber(place);
            synonyms_.addText(row.synonym);
            const Fingerprint id = row.id.isEmpty() ? Fingerprint{} : Fingerprint::of(row.id);
            synonyms_.addNumber(qint64(id.high));
            synonyms_.addNumber(qint64(id.low));
            synonyms_.addNumber(row.targets.size());
            for (const QByteArray& target : row.targets) {
                const Fingerprint print = Fingerprint::of(target);
                synonyms_.addNumber(qint64(print.high));
                synonyms_.addNumber(qint64(print.low));
            }
            synonyms_.endRecord();
            return;
        }
        case TaxonRow::Kind::Name:
            takeName(row, place);
            report_.lowestOfRanks += row.lowestOfRanks ? 1 : 0;
            return;
        }
    }

    // A row of the name table, written when the reading is done; its PN_REC is the next.
    void keepName(int level, const QByteArray* const (&texts)[5]) {
        nameRows_.addNumber(level);
        for (const QByteArray* text : texts)
            nameRows_.addText(*text);
        nameRows_.endRecord();
        ++records_;
        ++report_.names[size_t(level)];
    }

    // A genus stands once; a species or name below it once with the same authors.
    static Fingerprint nameKey(const TaxonRow& row) {
        FingerprintBuilder name;
        name.add(row.level).add(row.genus);
        if (row.level > 0)
            name.add(row.species).add(row.subsp).add(row.author0).add(row.author1);
        return name.result();
    }

    // Whether the name table's row `record` has the name of `row`, as nameKey() tells names.
    bool hasName(qint32 record, const TaxonRow& row) {
        Spool::Cursor kept = nameRows_.from(record - 1);
        kept.next();
        if (kept.number() != row.level || kept.text() != row.genus)
            return false;
        return row.level == 0 || (kept.text() == row.species && kept.text() == row.subsp &&
                                  kept.text() == row.author0 && kept.text() == row.author1);
    }

    void takeName(const TaxonRow& row, qint64 place) {
        const Fingerprint key = nameKey(row);
        const bool hasId = !row.id.isEmpty();
        const Fingerprint id = hasId ? Fingerprint::of(row.id) : Fingerprint{};
        // The tables outgrow the caches: their slots are asked for together, not one after
        // the other.
        names_.prefetch(key);
        if (hasId)
            ids_.prefetch(id);
        const auto same = [&](qint32 record) { return hasName(record, row); };
        if (const std::optional<qint32> first = names_.insert(key, records_ + 1, same)) {
            report_.note(
                QCoreApplication::translate("ArchiveImport", "jméno, které už má dřívější řádek"),
                where(place));
            if (hasId)
                noteId(id, row.id, *first, place);
            return;
        }
        keepName(row.level, {&row.genus, &row.species, &row.subsp, &row.author0, &row.author1});
        if (hasId)
            noteId(id, row.id, records_, place);
        // Every species needs its genus row and every name below the species its species
        // row; mostly the row just before is the parent.
        if (row.level < 2)
            lastParent_[row.level] = parentKey(row.level, row.genus, row.species);
        if (row.level > 0) {
            const Fingerprint parent = parentKey(row.level - 1, row.genus, row.species);
            if (parent != lastParent_[row.level - 1])
                // Copies: the row's texts live only until the next row is read.
                waiting_.push_back({row.level - 1,
                                    QByteArray(row.genus.constData(), row.genus.size()),
                                    QByteArray(row.species.constData(), row.species.size())});
        }
    }

    static Fingerprint parentKey(int level, const QByteArray& genus, const QByteArray& species) {
        FingerprintBuilder key;
        key.add(level).add(genus);
        if (level > 0)
            key.add(species);
        return key.result();
    }

    // Adds a row for each genus and species that has names below it but no row of its own.
    // The genera are found in the name table's keys; the species that are waited for are
    // looked for once among the rows kept, which the keys then need not hold.
    void addMissingParents() {
        const QByteArray none;
        const auto bySpecies = [this](qint32 a, qint32 b) {
            const Parent& one = waiting_[size_t(a)];
            const Parent& other = waiting_[size_t(b)];
            return std::tie(one.genus, one.species) < std::tie(other.genus, other.species);
        };
        std::vector<qint32> species; // the species waited for, each once, in their order
        for (qint32 at = 0; at < qint32(waiting_.size()); ++at) {
            if (waiting_[size_t(at)].level == 1)
                species.push_back(at);
        }
        std::sort(species.begin(), species.end(), bySpecies);
        species.erase(std::unique(species.begin(), species.end(),
                                  [&](qint32 a, qint32 b) { return !bySpecies(a, b); }),
                      species.end());
        std::vector<bool> hasRow(species.size());
        const auto speciesAt = [&](QByteArrayView genus, QByteArrayView epithet) {
            const auto at = std::partition_point(species.begin(), species.end(), [&](qint32 p) {
                const Parent& parent = waiting_[size_t(p)];
                return std::pair(QByteArrayView(parent.genus), QByteArrayView(parent.species)) <
                       std::pair(genus, epithet);
            });
            const bool found = at != species.end() && waiting_[size_t(*at)].genus == genus &&
                               waiting_[size_t(*at)].species == epithet;
            return found ? at - species.begin() : -1;
        };
        if (!species.empty()) {
            Spool::Cursor rows = nameRows_.from(0, true);
            while (rows.next()) {
                if (rows.number() != 1)
                    continue;
                const QByteArrayView genus = rows.text();
                if (const qsizetype at = speciesAt(genus, rows.text()); at >= 0)
                    hasRow[size_t(at)] = true;
            }
        }
        const auto add = [&](int level, const QByteArray& genus, const QByteArray& epithet) {
            if (level == 1) {
                const qsizetype at = speciesAt(genus, epithet);
                if (hasRow[size_t(at)])
                    return;
                hasRow[size_t(at)] = true;
            } else {
                const Fingerprint key = parentKey(0, genus, {});
                const auto sameGenus = [&](qint32 record) {
                    Spool::Cursor kept = nameRows_.from(record - 1);
                    kept.next();
                    return kept.number() == 0 && kept.text() == genus;
                };
                if (names_.find(key, sameGenus))
                    return;
                names_.insert(key, records_ + 1, sameGenus);
            }
            keepName(level, {&genus, level == 1 ? &epithet : &none, &none, &none, &none});
            ++(level == 0 ? report_.addedGenera : report_.addedSpecies);
        };
        for (const Parent& parent : waiting_) {
            add(parent.level, parent.genus, parent.species);
            if (parent.level == 1)
                add(0, parent.genus, {});
        }
        decltype(waiting_)().swap(waiting_);
    }

    void noteFailure(const QString& what, qint64 place) { report_.note(what, where(place)); }

    // Leads every synonym to its accepted names: through the ids of the names and skipped
    // rows, and where a synonym points elsewhere, through the ids of the synonyms.
    void resolveSynonyms(SynonymLinks& links) {
        struct Target {
            qint32 synonym;
            Fingerprint target;
            qint64 place;
        };
        std::vector<Target> unknown;
        // The links found wait on disk while the ids are in memory.
        Spool accepted;
        std::optional<SortedIds> ids(std::in_place, idRows_);
        // The targets are looked up a batch at a time, their places asked for beforehand.
        std::vector<Target> batch;
        const auto lookUp = [&] {
            for (const Target& link : batch) {
                const std::optional<qint32> found = ids->find(link.target);
                if (!found) {
                    unknown.push_back(link);
                } else if (*found == notImported) {
                    noteFailure(notWritten, link.place);
                } else {
                    accepted.addNumber(link.synonym);
                    accepted.addNumber(*found);
                    accepted.endRecord();
                }
            }
            batch.clear();
        };
        synonyms_.rewind();
        qint32 synonym = 0;
        for (; synonyms_.next(); ++synonym) {
            const qint64 place = synonyms_.number();
            synonyms_.text();
            synonyms_.number();
            synonyms_.number();
            for (qint64 count = synonyms_.number(); count > 0; --count) {
                const quint64 high = quint64(synonyms_.number());
                const Fingerprint target{high, quint64(synonyms_.number())};
                ids->prefetch(target);
                batch.push_back({synonym, target, place});
            }
            if (batch.size() >= 32)
                lookUp();
        }
        lookUp();
        ids.reset();
        links.expect(accepted.records(), synonym);
        accepted.rewind();
        while (accepted.next()) {
            const qint64 from = accepted.number();
            links.addAccepted(qint32(from), qint32(accepted.number()));
        }
        if (!unknown.empty()) {
            // The ids of the synonyms themselves, only when some synonym points elsewhere.
            FingerprintTable synonymIds;
            synonyms_.rewind();
            for (qint32 other = 0; synonyms_.next(); ++other) {
                const qint64 place = synonyms_.number();
                synonyms_.text();
                const quint64 high = quint64(synonyms_.number());
                const Fingerprint id{high, quint64(synonyms_.number())};
                if (id != Fingerprint{} && synonymIds.insert(id, other))
                    noteDuplicateId(place);
            }
            for (const Target& link : unknown) {
                if (const std::optional<qint32> to = synonymIds.find(link.target))
                    links.addChained(link.synonym, *to, link.place);
                else
                    noteFailure(
                        QCoreApplication::translate(
                            "ArchiveImport", "synonymum odkazuje na id, které v archivu není"),
                        link.place);
            }
        }
        const bool resolved = links.resolve(synonym, [this](bool cycle, qint64 place) {
            noteFailure(cycle
                            ? QCoreApplication::translate(
                                  "ArchiveImport", "synonymum v kruhu synonym bez přijatého jména")
                            : notWritten,
                        place);
        });
        if (!resolved)
            fail(QCoreApplication::translate(
                     "ArchiveImport", "%1: synonyma vedou k víc než %2 přijatým jménům (každé "
                                      "synonymum počítané zvlášť, i přes další synonyma); tolik "
                                      "odkazů import nepřijme")
                     .arg(archive_)
                     .arg(SynonymLinks::mostLinks));
    }

    // The links are gone before the indexes are built, which is when the import needs the
    // most memory.
    void writeSynonyms(TableWriter& writer) {
        writeSynonymRows(writer);
        writer.buildIndexes();
        writer.finish();
    }

    // The synonyms whose name another synonym has too, in their order, each with the first
    // synonym of that name. Names are sorted by 32 bits of their fingerprints beside their
    // synonym's number, 8 bytes a synonym for a moment; names whose bits agree are read back
    // and compared.
    std::vector<std::pair<qint32, qint32>> repeatedNames() {
        std::vector<quint64> names;
        names.reserve(size_t(synonyms_.records()));
        synonyms_.rewind();
        for (qint64 synonym = 0; synonyms_.next(); ++synonym) {
            synonyms_.number();
            const quint32 bits = quint32(Fingerprint::of(synonyms_.text()).high);
            names.push_back(quint64(bits) << 32 | quint64(synonym));
        }
        std::sort(names.begin(), names.end());
        std::vector<std::pair<qint32, qint32>> repeated;
        std::vector<std::pair<qint32, QByteArray>> firsts; // of a run: each name's first synonym
        std::vector<qint32> firstOf;
        for (size_t start = 0, end = 0; start < names.size(); start = end) {
            while (end < names.size() && names[end] >> 32 == names[start] >> 32)
                ++end;
            if (end - start == 1)
                continue;
            firsts.clear();
            firstOf.clear();
            for (size_t at = start; at < end; ++at) {
                const qint32 synonym = qint32(quint32(names[at]));
                Spool::Cursor kept = synonyms_.from(synonym);
                kept.next();
                kept.number();
                const QByteArrayView name = kept.text();
                const auto first = std::find_if(firsts.begin(), firsts.end(), [&](const auto& one) {
                    return one.second == name;
                });
                firstOf.push_back(first == firsts.end() ? synonym : first->first);
                if (first == firsts.end())
                    firsts.push_back({synonym, name.toByteArray()});
            }
            for (size_t at = start; at < end; ++at) {
                const qint32 first = firstOf[at - start];
                if (std::count(firstOf.begin(), firstOf.end(), first) > 1)
                    repeated.push_back({qint32(quint32(names[at])), first});
            }
        }
        decltype(names)().swap(names);
        std::sort(repeated.begin(), repeated.end());
        return repeated;
    }

    void writeSynonymRows(TableWriter& writer) {
        const std::vector<std::pair<qint32, qint32>> repeated = repeatedNames();
        SynonymLinks links;
        resolveSynonyms(links);
        const TableSchema::Layout& layout = TableSchema::synonyms();
        const int text = layout.position(SynonymColumn::synonym);
        const int record = layout.position(SynonymColumn::acceptedRecord);
        synonyms_.rewind();
        const qint64 total = synonyms_.records();
        // Each synonym with each accepted name once, however often the archive repeats it: a
        // synonym's accepted names are each once, so only a repeated name can repeat a pair.
        FingerprintTable written;
        auto next = repeated.begin();
        for (qint64 synonym = 0; synonyms_.next(); ++synonym) {
            const qint64 place = synonyms_.number();
            const QByteArrayView name = synonyms_.text();
            const bool isRepeated = next != repeated.end() && next->first == synonym;
            const qint32 first = isRepeated ? (next++)->second : 0;
            for (const qint32 accepted : links.acceptedOf(synonym)) {
                if (isRepeated &&
                    written.insert(FingerprintBuilder().add(first).add(accepted).result(), 0)) {
                    noteFailure(QCoreApplication::translate(
                                    "ArchiveImport", "synonymum, které už má dřívější řádek se "
                                                     "stejným přijatým jménem (zapsáno jednou)"),
                                place);
                    continue;
                }
                writer.setText(text, name);
                writer.setInteger(record, accepted);
                writer.insertRow();
                ++report_.synonyms;
            }
            if (synonym % progressStep == 0)
                show(Phase::Synonyms, synonym, total, report_.synonyms);
        }
        show(Phase::Synonyms, total, total, report_.synonyms);
    }

    struct Parent {
        int level;
        QByteArray genus;
        QByteArray species;
    };

    static constexpr qint32 notImported = -1;
    const QString notWritten = QCoreApplication::translate(
        "ArchiveImport", "synonymum vede k řádku, který v tabulce jmen není");

    QString archive_;
    ArchiveFiles files_;
    QString folder_;
    const Progress& progress_;
    QStringList coreFiles_;
    ImportReport report_;
    QString wholeCitation_; // report_ has the citation as it is shown
    qint32 records_ = 0;    // the name table's rows so far, the last PN_REC
    Spool nameRows_;        // level, genus, species, subsp, author0, author1
    RowTable names_;        // each name's first PN_REC
    RowTable ids_;          // while reading: the row of each id in idRows_
    Spool idRows_;          // the ids of names and of skipped rows, each once: text, PN_REC
    Spool synonyms_;        // place, text, own id, targets
    Fingerprint lastParent_[2];
    std::vector<Parent> waiting_; // names whose parent row was not just before them
};

} // namespace

ImportReport importArchive(const QString& archive, const QString& folder,
                           const Progress& progress) {
    return Importer(archive, folder, progress).run();
}

} // namespace ArchiveImport
