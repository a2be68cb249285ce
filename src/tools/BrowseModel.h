#pragma once

#include "store/BrowseTable.h"
#include "tools/RecordPages.h"

#include <QAbstractTableModel>
#include <optional>

// The data link between the table and the grid and navigator of the editing window: one row
// per record and one column per field, titled with the field names; empty while no table is
// open. Rows are read as the grid reaches them; the records are counted only when all are
// needed. Typing into a record puts
// it in editing, one record at a time; post() stores it as a whole, and the window calls it
// when the user moves to another record or closes the window. Storing, deleting, counting and
// refreshing throw EngineError when the engine refuses: the record then stays as it was, in
// editing where it was. A failure to read rows for the grid is reported by readFailed().
class BrowseModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class State { Browse, Edit, Insert };

    explicit BrowseModel(QObject* parent = nullptr);

    // Shows the records of `table`, from its first screen on, or none; the table outlives its
    // time here.
    void setTable(BrowseTable* table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    State state() const;
    // The row of the record in editing, -1 while browsing.
    int editingRow() const { return editing() ? m_editing->row : -1; }
    // The current record, which the record indicator marks wherever the record moves.
    void setCurrentRow(int row);

    // Counts the records, so that the grid has a row for each. This and the following need a
    // table.
    void countAll();
    // Stores the record in editing, if the user changed it; an inserted record left empty is
    // dropped. Afterwards the record stands where the table's order puts it.
    void post();
    // Drops the changes of the record in editing, and an inserted record with them.
    void cancel();
    // The following store the record in editing first: pass a row as it stands after post().
    // A new empty record in editing before the record at `row`.
    void insertAt(int row);
    // Deletes the record at `row`; a new record in editing there is dropped instead.
    void remove(int row);
    // Counts and reads the records again; returns the row where the record at `row` now
    // stands, or the nearest one when it is gone.
    int refresh(int row);

signals:
    void readFailed(const QString& message);

private:
    struct Editing {
        int row;
        bool inserted;
        BrowseRecord record; // as read; an inserted record has no values yet
        TypedFields typed;
        // Stored or dropped, while the grid learns that its row moves or goes.
        bool leaving = false;
    };

    bool editing() const { return m_editing && !m_editing->leaving; }
    // The table's position of the record at a row; the inserted record has none.
    qint64 positionOf(int row) const;
    const BrowseRecord& recordAt(int row) const;
    bool modified() const;
    // Whether storing may move the record in the table's order: it is new, or its key changed.
    bool mayMove() const;
    // Ends editing of a stored record and moves it to where it now stands.
    void finishEditing(const StoredRecord& stored);
    void indicatorChanged(int row);

    BrowseTable* m_table = nullptr;
    // Reading pages on demand changes nothing that the model shows.
    mutable std::optional<RecordPages> m_pages;
    std::optional<Editing> m_editing;
    QPersistentModelIndex m_current;
};
