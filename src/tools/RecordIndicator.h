#pragma once

#include <QHeaderView>
#include <QString>

class QTableView;

// The mark of the current row in a grid's record indicator column.
inline const QString recordIndicatorMark = QStringLiteral("\u25B6");

// The record indicator column of a grid: a row header as wide as its mark. Its width is
// fixed, so that reading rows into the grid does not measure the header of every row, and
// measured once for its font and style, as the grid asks for it at every layout.
class RecordIndicator : public QHeaderView {
    Q_OBJECT

public:
    // Replaces the row header of `grid`, keeping its row height.
    explicit RecordIndicator(QTableView* grid);

    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    mutable int m_width = -1;
};
