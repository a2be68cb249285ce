#include "check/NameCatalogReader.h"

#include "store/ListQueries.h"
#include "store/Query.h"
#include "store/SynonymQueries.h"
#include "store/TableSchema.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

namespace Name = TableSchema::NameColumn;
namespace Synonym = TableSchema::SynonymColumn;

void addLines(Query& query, const QStringList& lines) {
    for (const QString& line : lines)
        query.addSqlLine(line);
}

} // namespace

NameCatalog readNameCatalog(NameSource& source) {
    requireTablesOfOneImport(source);
    NameCatalog catalog;
    // Each row's record beside its name in the catalog, sorted by record for the synonyms.
    std::vector<std::pair<qint64, NameCatalog::Id>> ids;
    Query names(source);
    addLines(names, everyNameLines());
    const int level = names.columnOf(Name::level);
    const int genus = names.columnOf(Name::genus);
    const int species = names.columnOf(Name::species);
    const int subsp = names.columnOf(Name::subsp);
    const int author0 = names.columnOf(Name::author0);
    const int author1 = names.columnOf(Name::author1);
    const int record = names.columnOf(Name::record);
    names.forEachRow([&](const Statement& row) {
        const qint64 rowLevel = row.columnInteger(level);
        const NameCatalog::Id id =
            rowLevel == 0
                ? catalog.addAccepted(row.columnBytes(genus), {}, {}, row.columnBytes(author0))
            : rowLevel == 1 ? catalog.addAccepted(row.columnBytes(genus), row.columnBytes(species),
                                                  {}, row.columnBytes(author0))
                            : catalog.addAccepted(row.columnBytes(genus), row.columnBytes(species),
                                                  row.columnBytes(subsp), row.columnBytes(author1));
        ids.emplace_back(row.columnInteger(record), id);
    });
    std::sort(ids.begin(), ids.end());

    Query synonyms(source);
    addLines(synonyms, everySynonymLines());
    const int synonym = synonyms.columnOf(Synonym::synonym);
    const int accepted = synonyms.columnOf(Synonym::acceptedRecord);
    synonyms.forEachRow([&](const Statement& row) {
        const qint64 target = row.columnInteger(accepted);
        const auto found =
            std::lower_bound(ids.begin(), ids.end(), target,
                             [](const auto& id, qint64 wanted) { return id.first < wanted; });
        if (found != ids.end() && found->first == target)
            catalog.addSynonym(row.columnBytes(synonym), found->second);
    });
    catalog.finish();
    return catalog;
}
