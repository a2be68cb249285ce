#include "tools/RecordIndicator.h"

#include <QEvent>
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
    if (m_width < 0) {
        const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
        m_width = fontMetrics().horizontalAdvance(recordIndicatorMark) + 2 * margin;
    }
    return {m_width, defaultSectionSize()};
}

void RecordIndicator::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_width = -1;
    QHeaderView::changeEvent(event);
}
