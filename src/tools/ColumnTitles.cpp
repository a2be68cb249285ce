#include "tools/ColumnTitles.h"

#include <QEvent>
#include <QTableView>

ColumnTitles::ColumnTitles(QTableView* grid) : QHeaderView(Qt::Horizontal, grid) {
    const QHeaderView* columns = grid->horizontalHeader();
    setSectionsClickable(columns->sectionsClickable());
    setHighlightSections(columns->highlightSections());
    grid->setHorizontalHeader(this);
}

QSize ColumnTitles::sizeHint() const {
    if (count() == 0 || titlesSpanLines())
        return QHeaderView::sizeHint();
    if (!m_oneLine.isValid())
        m_oneLine = sectionSizeFromContents(0);
    return m_oneLine;
}

void ColumnTitles::changeEvent(QEvent* event) {
    // Another font or style gives titles another height.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_oneLine = QSize();
    QHeaderView::changeEvent(event);
}

bool ColumnTitles::titlesSpanLines() const {
    for (int section = 0; section < count(); ++section) {
        const QString title = model()->headerData(section, orientation()).toString();
        if (title.contains(u'\n') || title.contains(QChar::LineSeparator))
            return true;
    }
    return false;
}
