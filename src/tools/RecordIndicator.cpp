#include "tools/RecordIndicator.h"

#include <QStyle>
#include <QTableView>

RecordIndicator::RecordIndicator(QTableView* grid) : QHeaderView(Qt::Vertical, grid) {
    const QHeaderView* rows = grid->verticalHeader();
    setDefaultSectionSize(rows->defaultSectionSize());
    setMinimumSectionSize(rows->minimumSectionSize());
    setSectionResizeMode(QHeaderView::Fixed);
    grid->setVerticalHeader(this);
}

QSize RecordIndicator::sizeHint() const {
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    return {fontMetrics().horizontalAdvance(recordIndicatorMark) + 2 * margin,
            defaultSectionSize()};
}
