#pragma once

#include <QString>
#include <functional>
#include <memory>

// Puts a folder's name table and synonym table in place as one unit, for an import or a copy
// from another folder: a swap record written before the first rename lets the next import, or
// the next start of the program, complete a swap that a killed import left half done, so the
// folder never keeps one old and one new table.
// While the pair lives it holds the folder's import lock; a second import of the same folder
// fails at once with EngineError instead of mixing its files with ours.
class TablePair {
public:
    explicit TablePair(const QString& folder);
    ~TablePair();
    TablePair(const TablePair&) = delete;
    TablePair& operator=(const TablePair&) = delete;

    // The import stamp that both new tables carry.
    const QString& stamp() const { return stamp_; }
    // Replaces both tables of the folder by finished temporary files beside them. Once the
    // swap record names the files, `handOver` tells their makers that the swap owns them now:
    // they must no longer remove them.
    void replace(const QString& names, const QString& synonyms,
                 const std::function<void()>& handOver);

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
    class Lock;
    QString folder_;
    QString stamp_;
    std::unique_ptr<Lock> lock_;
};
