#include "store/ArchiveImport.h"

#include "store/ArchiveDescriptor.h"
#include "store/ArchiveFiles.h"
#include "store/ChecklistCitation.h"
#include "store/DelimitedReader.h"
#include "store/Fingerprint.h"
#include "store/Spool.h"
#include "store/SynonymLinks.h"
#include "store/TableImport.h"
#include "store/TablePair.h"
#include "store/TablePassword.h"
#include "store/TableSchema.h"
#include "store/TableWriter.h"
#include "store/TaxonColumns.h"
#include "store/TaxonMapper.h"

#include <algorithm>
#include <optional>
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
    QString descriptorName; // meta.xml as messages name it, or empty
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
        fail(QStringLiteral("%1: jádro archivu má řádky typu %2, ne Taxon: import čte jen "
                            "seznamy taxonů")
                 .arg(where, descriptor.rowType.isEmpty() ? QStringLiteral("(neuveden)")
                                                          : descriptor.rowType));
    for (const QString& file : descriptor.files) {
        if (!files.contains(file))
            fail(QStringLiteral("%1: soubor jádra %2 v archivu není").arg(where, file));
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
        return QStringLiteral("říše „%1“, ne rostliny").arg(detail);
    case TaxonRow::Skip::Status:
        return QStringLiteral("neznámý taxonomický status „%1“").arg(detail);
    case TaxonRow::Skip::Rank:
        return QStringLiteral("rank „%1“ (bere se rod, druh a nižší)").arg(detail);
    case TaxonRow::Skip::NoName:
        return QStringLiteral("řádek bez vědeckého jména i rodu");
    case TaxonRow::Skip::NotAName:
        return QStringLiteral("jméno nezačíná rodem");
    case TaxonRow::Skip::Formula:
        return QStringLiteral("hybridní vzorec jako přijaté jméno");
    case TaxonRow::Skip::NoRankWord:
        return QStringLiteral("jméno pod úrovní druhu bez slova ranku");
    case TaxonRow::Skip::NoRank:
        return QStringLiteral("jednoslovné jméno bez ranku (rod, nebo čeleď?)");
    case TaxonRow::Skip::RankNotInName:
        return QStringLiteral("rank „%1“ nesouhlasí se jménem").arg(detail);
    case TaxonRow::Skip::SynonymNoTarget:
        return QStringLiteral("synonymum bez odkazu na přijaté jméno");
    }
    return {};
}

// The ids of the core's rows: what each leads to, in the order of the rows.
struct IdRecord {
    Fingerprint id;
    qint64 place;
    qint32 target; // SynonymLinks::Target
};

class Importer {
public:
    Importer(const QString& archive, const QString& folder, const Progress& progress)
        : archive_(archive), files_(archive), folder_(folder), progress_(progress) {}

    ImportReport run() {
        const Checklist checklist = describe(files_);
        report_.citation = citationOf(files_, checklist);
        readCore(checklist);
        if (nameCount_ == 0)
            fail(QStringLiteral("%1: v archivu není žádné přijaté jméno rodu, druhu ani nižšího "
                                "taxonu rostlin\n%2")
                     .arg(archive_, report_.text().trimmed()));
        TablePair pair(folder_, TablePassword::programPassword);
        writeNames(pair.names());
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
            DelimitedReader reader(files_.open(coreFiles_[file]), descriptor.dialect,
                                   files_.displayName(coreFiles_[file]));
            // The first line, header or row, tells how many columns the file has.
            qsizetype width = -1;
            for (int header = 0; header < descriptor.dialect.headerLines; ++header) {
                if (!reader.next())
                    break;
                if (header > 0)
                    continue;
                width = reader.fieldCount();
                if (checklist.hasHeaderTerms && file == 0)
                    columns = TaxonColumns::fromHeader(reader);
                checkColumns(*columns, reader, width);
            }
            const TaxonMapper mapper(*columns);
            while (reader.next()) {
                if (width < 0) {
                    width = reader.fieldCount();
                    checkColumns(*columns, reader, width);
                }
                const qint64 place = Place::of(file, reader.line());
                if (reader.fieldCount() > width) {
                    report_.note(QStringLiteral("řádek má víc polí než první řádek souboru"),
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
        findDuplicateNames();
        findMissingParents();
    }

    void checkColumns(const TaxonColumns& columns, const DelimitedReader& reader,
                      qsizetype width) const {
        const int highest = columns.highestColumn();
        if (highest >= width)
            reader.fail(reader.line(),
                        QStringLiteral("meta.xml čte sloupec %1 (%2), ale řádek má jen %3 "
                                       "sloupců")
                            .arg(highest)
                            .arg(columns.termAt(highest))
                            .arg(width));
    }

    void noteId(const QByteArray& id, qint64 place, qint32 target) {
        if (id.isEmpty())
            return;
        const Fingerprint print = Fingerprint::of(id);
        ids_.addNumber(qint64(print.high));
        ids_.addNumber(qint64(print.low));
        ids_.addNumber(place);
        ids_.addNumber(target);
        ids_.endRecord();
    }

    void take(const TaxonRow& row, qint64 place) {
        switch (row.kind) {
        case TaxonRow::Kind::Skipped:
            report_.note(skipText(row), where(place));
            noteId(row.id, place, SynonymLinks::notImported);
            return;
        case TaxonRow::Kind::Synonym:
            synonyms_.addNumber(place);
            synonyms_.addText(row.synonym);
            synonyms_.addNumber(row.targets.size());
            for (const QByteArray& target : row.targets) {
                const Fingerprint print = Fingerprint::of(target);
                synonyms_.addNumber(qint64(print.high));
                synonyms_.addNumber(qint64(print.low));
            }
            synonyms_.endRecord();
            noteId(row.id, place, SynonymLinks::synonymTarget(synonyms_.records() - 1));
            return;
        case TaxonRow::Kind::Name:
            takeName(row, place);
            return;
        }
    }

    void takeName(const TaxonRow& row, qint64 place) {
        const qint32 ordinal = qint32(nameCount_++);
        names_.addNumber(place);
        names_.addNumber(row.level);
        for (const QByteArray* text :
             {&row.genus, &row.species, &row.subsp, &row.author0, &row.author1})
            names_.addText(*text);
        names_.endRecord();
        noteId(row.id, place, ordinal);
        // A genus stands once; a species or name below it once with the same authors.
        FingerprintBuilder name;
        name.add(row.level).add(row.genus);
        if (row.level > 0)
            name.add(row.species).add(row.subsp).add(row.author0).add(row.author1);
        nameKeys_.push_back({name.result(), ordinal});
        // Every species needs its genus row and every name below the species its species row.
        if (row.level < 2)
            parents_.push_back(parentKey(row.level, row.genus, row.species));
        if (row.level > 0) {
            const Fingerprint parent = parentKey(row.level - 1, row.genus, row.species);
            if (parent != lastParent_[row.level - 1])
                waiting_.push_back({parent, row.level - 1, row.genus, row.species});
        }
        if (row.level < 2)
            lastParent_[row.level] = parents_.back();
    }

    static Fingerprint parentKey(int level, const QByteArray& genus, const QByteArray& species) {
        FingerprintBuilder key;
        key.add(level).add(genus);
        if (level > 0)
            key.add(species);
        return key.result();
    }

    void findDuplicateNames() {
        std::sort(nameKeys_.begin(), nameKeys_.end());
        for (size_t at = 1; at < nameKeys_.size(); ++at) {
            if (nameKeys_[at].first == nameKeys_[at - 1].first)
                duplicateOf_.push_back({nameKeys_[at].second, firstOf(at)});
        }
        std::sort(duplicateOf_.begin(), duplicateOf_.end());
        nameKeys_ = {};
    }

    qint32 firstOf(size_t at) const {
        while (at > 0 && nameKeys_[at - 1].first == nameKeys_[at].first)
            --at;
        return nameKeys_[at].second;
    }

    void findMissingParents() {
        std::sort(parents_.begin(), parents_.end());
        for (const Parent& parent : waiting_) {
            if (std::binary_search(parents_.begin(), parents_.end(), parent.key))
                continue;
            parents_.insert(std::upper_bound(parents_.begin(), parents_.end(), parent.key),
                            parent.key);
            added_.push_back(parent);
            // A species added needs its genus as well.
            const Fingerprint genus = parentKey(0, parent.genus, {});
            if (parent.level == 1 && !std::binary_search(parents_.begin(), parents_.end(), genus)) {
                parents_.insert(std::upper_bound(parents_.begin(), parents_.end(), genus), genus);
                added_.push_back({genus, 0, parent.genus, {}});
            }
        }
        parents_ = {};
        waiting_ = {};
    }

    void writeNames(TableWriter& writer) {
        const TableSchema::Layout& layout = TableSchema::names();
        const int level = layout.position(NameColumn::level);
        const int page = layout.position(NameColumn::page);
        const int record = layout.position(NameColumn::record);
        const int texts[] = {layout.position(NameColumn::genus),
                             layout.position(NameColumn::species),
                             layout.position(NameColumn::subsp),
                             layout.position(NameColumn::author0),
                             layout.position(NameColumn::author1)};
        qint32 next = 0;
        recordOf_.assign(size_t(nameCount_), 0);
        names_.rewind();
        auto duplicate = duplicateOf_.cbegin();
        for (qint32 ordinal = 0; names_.next(); ++ordinal) {
            const qint64 place = names_.number();
            if (duplicate != duplicateOf_.cend() && duplicate->first == ordinal) {
                recordOf_[size_t(ordinal)] = recordOf_[size_t(duplicate->second)];
                report_.note(QStringLiteral("jméno, které už má dřívější řádek"), where(place));
                ++duplicate;
                continue;
            }
            const qint64 rowLevel = names_.number();
            writer.setInteger(level, rowLevel);
            for (const int column : texts)
                writer.setText(column, names_.text());
            writer.setInteger(page, 0);
            writer.setInteger(record, ++next);
            writer.insertRow();
            recordOf_[size_t(ordinal)] = next;
            ++report_.names[size_t(rowLevel)];
            if (next % progressStep == 0)
                show(Phase::Names, ordinal, nameCount_, next);
        }
        for (const Parent& parent : added_) {
            writer.setInteger(level, parent.level);
            writer.setText(texts[0], parent.genus);
            writer.setText(texts[1], parent.level == 1 ? QByteArrayView(parent.species)
                                                       : QByteArrayView(""));
            for (const int column : {texts[2], texts[3], texts[4]})
                writer.setText(column, "");
            writer.setInteger(page, 0);
            writer.setInteger(record, ++next);
            writer.insertRow();
            ++report_.names[size_t(parent.level)];
            ++(parent.level == 0 ? report_.addedGenera : report_.addedSpecies);
        }
        show(Phase::Names, nameCount_, nameCount_, next);
        writer.setAbout(TableAbout::citation, report_.citation);
        writer.setAbout(TableAbout::pages, TableAbout::noPages);
        writer.buildIndexes();
        writer.finish();
        duplicateOf_ = {};
        added_ = {};
    }

    void noteFailure(SynonymLinks::Failure failure, qint64 place) {
        using Failure = SynonymLinks::Failure;
        report_.note(failure == Failure::Missing
                         ? QStringLiteral("synonymum odkazuje na id, které v archivu není")
                     : failure == Failure::NotImported
                         ? QStringLiteral("synonymum vede k řádku, který v tabulce jmen není")
                         : QStringLiteral("synonymum v kruhu synonym bez přijatého jména"),
                     where(place));
    }

    // Leads every synonym to its accepted names, with what each id of the core leads to.
    void resolveSynonyms(SynonymLinks& links) {
        ids_.rewind();
        while (ids_.next()) {
            const quint64 high = quint64(ids_.number());
            const Fingerprint id{high, quint64(ids_.number())};
            const qint64 place = ids_.number();
            const qint32 target = qint32(ids_.number());
            links.addId(id, place, target >= 0 ? recordOf_[size_t(target)] : target);
        }
        recordOf_ = {};
        links.sortIds([this](qint64 place) {
            report_.note(QStringLiteral("id, které má už dřívější řádek (odkazy vedou na první)"),
                         where(place));
        });
        const auto failed = [this](SynonymLinks::Failure failure, qint64 place) {
            noteFailure(failure, place);
        };
        synonyms_.rewind();
        std::vector<Fingerprint> targets;
        while (synonyms_.next()) {
            const qint64 place = synonyms_.number();
            synonyms_.text();
            targets.clear();
            for (qint64 count = synonyms_.number(); count > 0; --count) {
                const quint64 high = quint64(synonyms_.number());
                targets.push_back({high, quint64(synonyms_.number())});
            }
            links.addSynonym(place, targets, failed);
        }
        links.resolve(failed);
    }

    void writeSynonyms(TableWriter& writer) {
        SynonymLinks links;
        resolveSynonyms(links);
        const TableSchema::Layout& layout = TableSchema::synonyms();
        const int text = layout.position(SynonymColumn::synonym);
        const int record = layout.position(SynonymColumn::acceptedRecord);
        synonyms_.rewind();
        const qint64 total = synonyms_.records();
        for (qint64 synonym = 0; synonyms_.next(); ++synonym) {
            synonyms_.number();
            const QByteArrayView name = synonyms_.text();
            for (const qint32 accepted : links.acceptedOf(synonym)) {
                writer.setText(text, name);
                writer.setInteger(record, accepted);
                writer.insertRow();
                ++report_.synonyms;
            }
            if (synonym % progressStep == 0)
                show(Phase::Synonyms, synonym, total, report_.synonyms);
        }
        show(Phase::Synonyms, total, total, report_.synonyms);
        writer.buildIndexes();
        writer.finish();
    }

    struct Parent {
        Fingerprint key;
        int level;
        QByteArray genus;
        QByteArray species;
    };

    QString archive_;
    ArchiveFiles files_;
    QString folder_;
    const Progress& progress_;
    QStringList coreFiles_;
    ImportReport report_;
    Spool names_;    // place, level, genus, species, subsp, author0, author1
    Spool synonyms_; // place, text, targets
    Spool ids_;      // id, place, what it leads to
    qint64 nameCount_ = 0;
    std::vector<std::pair<Fingerprint, qint32>> nameKeys_;
    std::vector<std::pair<qint32, qint32>> duplicateOf_; // a row's ordinal, the first's
    std::vector<Fingerprint> parents_;
    Fingerprint lastParent_[2];
    std::vector<Parent> waiting_;
    std::vector<Parent> added_;
    std::vector<qint32> recordOf_; // PN_REC of each name row by ordinal
};

} // namespace

ImportReport importArchive(const QString& archive, const QString& folder,
                           const Progress& progress) {
    return Importer(archive, folder, progress).run();
}

} // namespace ArchiveImport
