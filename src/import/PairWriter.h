#pragma once

#include "import/TableWriter.h"
#include "store/TablePair.h"

#include <QString>
#include <memory>

// Writes a folder's name table and synonym table as one import: both files carry the same
// import stamp, and replace() puts them in place as a unit (see TablePair), whose lock the
// writer holds while it lives.
class PairWriter {
public:
    PairWriter(const QString& folder, const QString& password);

    // The writers of the two tables, each made at its first use, so that one table can be
    // finished and closed, with its page cache, before the other one starts.
    TableWriter& names();
    TableWriter& synonyms();
    // Replaces both tables of the folder by the finished writers' files.
    void replace();

private:
    TableWriter& writer(std::unique_ptr<TableWriter>& writer, const TableSchema::Layout& layout);

    TablePair pair_; // first: the lock is held before a file is written, until all are gone
    QString folder_;
    QString password_;
    std::unique_ptr<TableWriter> names_;
    std::unique_ptr<TableWriter> synonyms_;
};
