#pragma once

#include <QDialog>
#include <memory>

class BrowseModel;
class BrowseTable;
class NameSource;

namespace Ui {
class TFormBrowse;
}

// The buttons of the navigator bar, in their order.
enum class NavigateButton { First, Prior, Next, Last, Insert, Delete, Cancel, Refresh };

// What a use of the editing window asks of the program: nothing more, or to end because the
// number of records changed.
enum class BrowseOutcome { Unchanged, RestartNeeded };

// The data editing window: the name table in a grid, one column per field, with a navigator
// bar below. Typing into a cell puts its record in editing; the record is stored when the
// user moves to another record or closes the window. A record that the engine refuses stays
// in editing, and the window then stays open. A table the user may not write opens read-only
// and says so.
class TFormBrowse : public QDialog {
    Q_OBJECT

public:
    explicit TFormBrowse(QWidget* parent = nullptr);
    ~TFormBrowse() override;

    // Opens the table file `tableName` through `source`, the main window's connection, which
    // holds the table password and stays open while the table is, and shows its first
    // records. Throws EngineError when the table cannot be opened.
    void openTable(NameSource& source, const QString& tableName);
    // The records in the table file, counted there. Throws EngineError.
    qint64 recordCount();
    void closeTable();
    bool readOnly() const;

    // A click of a navigator button; a failure ends in the standard error box.
    void DBNavigatorClick(NavigateButton button);

protected:
    // Closing stores the record in editing; when the engine refuses it, the window stays open.
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpDataSource();
    void setUpNavigator();
    void navigate(NavigateButton button);
    // Moves to a row, storing the record in editing first.
    void moveTo(int row);
    // Deletes the current record once the user confirms it.
    void deleteCurrent();
    int currentRow() const;
    // Moving to another record stores the one in editing, or moves back when that fails.
    void currentRowChanged(int row);
    // Puts what is typed in an open cell editor into the record, or drops it.
    void commitOpenEditor();
    void closeOpenEditor();
    // Enables the buttons that can act on the current record in its state.
    void updateNavigator();

    std::unique_ptr<Ui::TFormBrowse> m_ui;
    // Declared in this order: the data link reads through the table.
    std::unique_ptr<BrowseTable> Table;
    std::unique_ptr<BrowseModel> DataSource;
};

// The whole use of the editing window on the table file `tableName` of `source`, modal over
// `parent`: the table is opened and counted, the user is warned that careless editing can
// damage the data, the window is shown until the user closes it, and the table is counted
// again and closed. When the count differs, the user is told that the program must restart,
// and RestartNeeded asks the caller to end the program without saving its options or window
// place. When the table cannot be opened, the standard error box tells why and nothing else
// is shown.
BrowseOutcome ShowFormBrowse(QWidget* parent, NameSource& source, const QString& tableName);
