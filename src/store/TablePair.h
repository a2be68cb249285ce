#pragma once

#include "store/TableWriter.h"

#include <QString>
#include <memory>

// Writes a folder's name table and synonym table as one import, or copies them from another
// folder. Both files carry the same import stamp, and replace() puts them in place as a unit:
// a swap record written before the first rename lets the next import, or the next start of
// the program, complete a swap that a killed import left half done, so the folder never keeps
// one old and one new table.
// While the pair lives it holds the folder's import lock; a second import of the same folder
// fails at once with EngineError instead of mixing its files with ours.
class TablePair {
public:
    TablePair(const QString& folder, const QString& password);
    ~TablePair();
    TablePair(const TablePair&) = delete;
    TablePair& operator=(const TablePair&) = delete;

    // The writers of the two tables, each made at its first use, so that one table can be
    // finished and closed, with its page cache, before the other one starts.
    TableWriter& names();
    TableWriter& synonyms();
    // Replaces both tables of the folder by the finished writers' files.
    void replace();

    // Copies both table files of the folder `from` into the folder `to`, which is made when
    // missing, and puts them in place there as one swap, as an import does. Refuses, with
    // EngineError and copying nothing, when `to` holds either table file already.
    static void copy(const QString& from, const QString& to);

    // Completes a swap that a killed import or copy left behind, and removes the temporary
    // files they left. Does nothing while another import holds the folder's lock, or where the
    // folder cannot be written; takes no lock where nothing is left. Returns whether it
    // completed a swap. (The next import does the same.)
    static bool recover(const QString& folder);

private:
    TableWriter& writer(std::unique_ptr<TableWriter>& writer, const TableSchema::Layout& layout);

    class Lock;
    QString folder_;
    QString password_;
    QString stamp_;
    std::unique_ptr<Lock> lock_;
    std::unique_ptr<TableWriter> names_;
    std::unique_ptr<TableWriter> synonyms_;
};
