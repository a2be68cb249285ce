#include "picker/PickerLists.h"

#include "store/ListQueries.h"
#include "store/ListReadAhead.h"
#include "store/NameSource.h"
#include "store/Query.h"
#include "store/TableAbout.h"
#include "store/TablePassword.h"
#include "store/TablePath.h"
#include "store/TableSchema.h"

namespace {

namespace Column = TableSchema::NameColumn;

const QString pathParam = QStringLiteral("PATH");

qsizetype indexOf(const NameList& list, const std::optional<QString>& text) {
    return text ? list.texts.indexOf(text->toUtf8()) : -1;
}

} // namespace

PickerLists::PickerLists() {
    (void)reconnect();
}

PickerLists::~PickerLists() = default;

std::unique_ptr<NameSource> PickerLists::reconnect() {
    m_genusAhead.reset();
    m_genus.reset();
    m_species.reset();
    m_subsp.reset();
    std::unique_ptr<NameSource> old = std::exchange(m_source, std::make_unique<NameSource>());
    m_genus = std::make_unique<Query>(*m_source);
    m_species = std::make_unique<Query>(*m_source);
    m_subsp = std::make_unique<Query>(*m_source);
    return old;
}

void PickerLists::open(const QString& tablePath) {
    m_source->connectToFolder(folderOf(tablePath));
    m_tableFile = fileNameOf(tablePath);

    const auto build = [](Query& query, const QStringList& lines, const QStringList& shown) {
        query.clearSql();
        for (const QString& line : lines)
            query.addSqlLine(line);
        for (const QString& field : shown)
            query.columnOf(field);
    };
    build(*m_genus, genusQueryLines(), {Column::genus, Column::page});
    build(*m_species, speciesQueryLines(), {Column::species, Column::author0, Column::page});
    m_species->defineParam(QStringLiteral("genus"), Query::ParamType::Text);
    build(*m_subsp, subspQueryLines(), {Column::subsp, Column::author1, Column::page});
    m_subsp->defineParam(QStringLiteral("genus"), Query::ParamType::Text);
    m_subsp->defineParam(QStringLiteral("species"), Query::ParamType::Text);

    // An imported checklist names itself and tells whether its rows cite pages; the bundled
    // list and tables of the tab-separated import keep the bundled citation.
    const QHash<QString, QString> facts = m_source->about(m_tableFile);
    const QString citation = facts.value(TableAbout::citation);
    m_citation = citation.isEmpty() ? QStringLiteral("Valmor (2002)") : citation;
    m_citesPages = facts.value(TableAbout::pages) != TableAbout::noPages;
    m_opened = true;
}

void PickerLists::readGenusAhead() {
    m_genusAhead =
        std::make_shared<ListReadAhead>(ListReadAhead::Request{m_source->param(pathParam),
                                                               {TablePassword::programPassword},
                                                               genusQueryLines(),
                                                               Column::genus,
                                                               Column::page});
}

void PickerLists::fill(Level level, const NameList& start, const Read& read) {
    List& list = m_lists[level];
    if (!read) {
        list = {start, std::nullopt};
        return;
    }
    NameList entries = start;
    try {
        read(entries);
    } catch (...) {
        // A fill that fails leaves the list as it starts, not half read.
        list = {start, std::nullopt};
        throw;
    }
    list.count = entries.texts.size() - start.texts.size();
    list.entries = std::move(entries);
}

PickerLists::Read PickerLists::rowsOf(Query& query, const QString& textField,
                                      const QString& authorField) {
    return [&query, textField, authorField](NameList& entries) {
        appendRows(query, textField, authorField, Column::page, entries);
    };
}

void PickerLists::fillGenus() {
    Read read = rowsOf(*m_genus, Column::genus, QString());
    if (const std::shared_ptr<ListReadAhead> ahead = std::move(m_genusAhead))
        read = [ahead](NameList& entries) { entries = ahead->take(); };
    fill(Genus, NameList(), read);
}

void PickerLists::fillSpecies(const QString& genus) {
    // The subspecies follow the species: none until a species is chosen.
    fill(Subsp, NameList::withBlankEntry(), {});
    if (!genus.isEmpty())
        m_species->setParam(QStringLiteral("genus"), genus);
    fill(Species, NameList::withBlankEntry(),
         genus.isEmpty() ? Read() : rowsOf(*m_species, Column::species, Column::author0));
}

void PickerLists::fillSubsp(const QString& genus, const QString& species) {
    if (!species.isEmpty()) {
        m_subsp->setParam(QStringLiteral("genus"), genus);
        m_subsp->setParam(QStringLiteral("species"), species);
    }
    fill(Subsp, NameList::withBlankEntry(),
         species.isEmpty() ? Read() : rowsOf(*m_subsp, Column::subsp, Column::author1));
}

std::array<qsizetype, 3> PickerLists::refill(const Selection& selected) {
    std::array<qsizetype, 3> indexes{-1, -1, -1};
    fillGenus();
    indexes[Genus] = indexOf(entries(Genus), selected[Genus]);
    const QString genus = indexes[Genus] >= 0 ? *selected[Genus] : QString();
    fillSpecies(genus);
    if (genus.isEmpty())
        return indexes;
    indexes[Species] = indexOf(entries(Species), selected[Species]);
    if (indexes[Species] < 0)
        return indexes;
    fillSubsp(genus, *selected[Species]);
    indexes[Subsp] = indexOf(entries(Subsp), selected[Subsp]);
    return indexes;
}
