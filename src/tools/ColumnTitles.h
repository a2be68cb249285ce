#pragma once

#include <QHeaderView>
#include <QSize>

class QTableView;

// The column titles of a grid. Qt sizes a header by measuring the title of every column
// each time the columns change, and the grid uses only its height: titles of one line in
// one font are all of one height, so one title measured once stands for them all.
class ColumnTitles : public QHeaderView {
    Q_OBJECT

public:
    // Replaces the column header of `grid`, keeping how it behaves.
    explicit ColumnTitles(QTableView* grid);

    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    bool titlesSpanLines() const;

    mutable QSize m_oneLine;
};
