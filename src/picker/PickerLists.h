#pragma once

#include "store/NameList.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class ListReadAhead;
class NameSource;
class Query;

// The main window's three linked lists without their widgets: the connection to the table
// files, the list queries on it, the entries of each list with their authors and pages, the
// count of rows each fill read, and the genus list read ahead for the first fill.
class PickerLists {
public:
    enum Level { Genus, Species, Subsp };
    // The selected text of each list, none where nothing is selected.
    using Selection = std::array<std::optional<QString>, 3>;

    PickerLists();
    ~PickerLists();

    // Opens the name table at `tablePath` and prepares the list queries, so that a table that
    // lacks a field a list shows fails here, at the start. Throws EngineError.
    void open(const QString& tablePath);
    // Whether a name table has been opened, on this connection or an earlier one.
    bool opened() const { return m_opened; }
    // A new connection in place of the open one, whose queries and list read ahead go. The
    // old connection is handed back: whatever else reads through it leaves it first.
    [[nodiscard]] std::unique_ptr<NameSource> reconnect();
    NameSource& source() { return *m_source; }
    // The name table's file, as open() found it.
    const QString& tableFile() const { return m_tableFile; }
    // The checklist that the pages cite, and whether its rows cite pages at all.
    const QString& citation() const { return m_citation; }
    bool citesPages() const { return m_citesPages; }

    // Begins reading the genus list on a connection and a thread of its own; the next genus
    // fill takes it.
    void readGenusAhead();
    // Each fill puts the rows of its query in place of a list's entries. One that fails
    // leaves the list as it starts, without a count, and throws EngineError.
    void fillGenus();
    // The species of `genus` after the blank entry, and the subspecies list blank; for an
    // empty genus, both blank.
    void fillSpecies(const QString& genus);
    void fillSubsp(const QString& genus, const QString& species);
    // Fills the lists anew down the selected texts that they still hold; the index of each
    // list's selection among its new entries, -1 for none.
    std::array<qsizetype, 3> refill(const Selection& selected);

    const NameList& entries(Level level) const { return m_lists[level].entries; }
    // The rows that the last fill of a list read; none when it read no query.
    std::optional<qsizetype> count(Level level) const { return m_lists[level].count; }

private:
    struct List {
        NameList entries;
        std::optional<qsizetype> count;
    };
    using Read = std::function<void(NameList&)>;

    // Shows `start` followed by the rows that `read` appends; no read leaves `start` alone.
    void fill(Level level, const NameList& start, const Read& read);
    Read rowsOf(Query& query, const QString& textField, const QString& authorField);

    std::unique_ptr<NameSource> m_source;
    std::unique_ptr<Query> m_genus;
    std::unique_ptr<Query> m_species;
    std::unique_ptr<Query> m_subsp;
    // The genus list read ahead, until the first fill takes it.
    std::shared_ptr<ListReadAhead> m_genusAhead;
    std::array<List, 3> m_lists;
    QString m_tableFile;
    QString m_citation;
    bool m_citesPages = true;
    bool m_opened = false;
};
