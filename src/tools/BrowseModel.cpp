#include "tools/BrowseModel.h"

#include "store/EngineError.h"
#include "tools/RecordIndicator.h"

#include <algorithm>

namespace {
// The record indicator marks a record in editing and a new record, as database grids do.
const QString editingMark = QStringLiteral("\u270E");
const QString insertedMark = QStringLiteral("*");
} // namespace

BrowseModel::BrowseModel(QObject* parent) : QAbstractTableModel(parent) {}

void BrowseModel::setTable(BrowseTable* table) {
    if (!table && !m_table)
        return;
    beginResetModel();
    m_editing.reset();
    m_pages.reset();
    m_table = table;
    if (table) {
        m_pages.emplace(*table,
                        [this](const EngineError& failure) { emit readFailed(failure.message()); });
        // The first screen of records comes with the table, in one change of the grid.
        m_pages->addRead(m_pages->readMore());
    }
    endResetModel();
}

int BrowseModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_pages)
        return 0;
    return int(m_pages->known()) + (m_editing && m_editing->inserted ? 1 : 0);
}

int BrowseModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_table ? 0 : int(m_table->fields().size());
}

QVariant BrowseModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && m_table->fields()[index.column()].integer)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    // Cells are edited as text, so that the table's checks, not an editor, judge what is typed.
    if (m_editing && index.row() == m_editing->row) {
        if (const std::optional<QString>& typed = m_editing->typed[index.column()])
            return *typed;
        return m_editing->record.text(index.column());
    }
    return recordAt(index.row()).text(index.column());
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return m_table ? m_table->fields().value(section).name : QString();
    if (m_editing && section == m_editing->row)
        return m_editing->inserted ? insertedMark : editingMark;
    return section == m_current.row() ? recordIndicatorMark : QString();
}

Qt::ItemFlags BrowseModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return !index.isValid() || m_table->readOnly() ? flags : flags | Qt::ItemIsEditable;
}

bool BrowseModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || m_table->readOnly())
        return false;
    if (m_editing && (m_editing->leaving || index.row() != m_editing->row))
        return false;
    const QString text = value.toString();
    if (data(index, Qt::EditRole).toString() == text)
        return true;
    if (!m_editing) {
        m_editing = Editing{index.row(), false, recordAt(index.row()),
                            TypedFields(m_table->fields().size())};
        indicatorChanged(index.row());
    }
    m_editing->typed[index.column()] = text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool BrowseModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_pages && !m_pages->counted();
}

void BrowseModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    const RecordPages::More more = m_pages->readMore();
    const int first = rowCount();
    if (more.added > 0)
        beginInsertRows({}, first, first + int(more.added) - 1);
    m_pages->addRead(more);
    if (more.added > 0)
        endInsertRows();
}

BrowseModel::State BrowseModel::state() const {
    if (!editing())
        return State::Browse;
    return m_editing->inserted ? State::Insert : State::Edit;
}

void BrowseModel::setCurrentRow(int row) {
    const int before = m_current.row();
    m_current = index(row, 0);
    indicatorChanged(before);
    indicatorChanged(row);
}

void BrowseModel::countAll() {
    if (!m_pages || m_pages->counted())
        return;
    // Records that another program deleted meanwhile stay in the grid until a refresh.
    const qint64 added = std::max<qint64>(m_table->recordCount() - m_pages->known(), 0);
    const int first = rowCount();
    if (added > 0)
        beginInsertRows({}, first, first + int(added) - 1);
    m_pages->setCounted(m_pages->known() + added);
    if (added > 0)
        endInsertRows();
}

void BrowseModel::post() {
    if (!editing())
        return;
    if (!modified()) {
        cancel();
        return;
    }
    // The grid must have a row for wherever the record goes.
    if (mayMove())
        countAll();
    const std::optional<qint64> id =
        m_editing->inserted ? std::nullopt : std::optional(m_editing->record.id);
    finishEditing(m_table->store(id, m_editing->typed));
}

void BrowseModel::finishEditing(const StoredRecord& stored) {
    const int from = m_editing->row;
    const int to = stored.position ? int(*stored.position) : from;
    const qint64 known = m_pages->known() + (m_editing->inserted ? 1 : 0);
    // The grid's current record may change with the move; nothing is left to store then.
    m_editing->leaving = true;
    if (to != from) {
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
        m_editing.reset();
        m_pages->changedFrom(std::min(from, to), known);
        endMoveRows();
    } else {
        m_editing.reset();
        m_pages->changedFrom(from, known);
        emit dataChanged(index(from, 0), index(from, columnCount() - 1));
    }
    indicatorChanged(to);
}

void BrowseModel::cancel() {
    if (!editing())
        return;
    const int row = m_editing->row;
    m_editing->leaving = true;
    if (m_editing->inserted) {
        beginRemoveRows({}, row, row);
        m_editing.reset();
        endRemoveRows();
        return;
    }
    m_editing.reset();
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    indicatorChanged(row);
}

void BrowseModel::insertAt(int row) {
    post();
    row = std::clamp(row, 0, rowCount());
    const int fields = int(m_table->fields().size());
    beginInsertRows({}, row, row);
    m_editing = Editing{row, true, BrowseRecord(), TypedFields(fields)};
    endInsertRows();
}

void BrowseModel::remove(int row) {
    if (editing() && m_editing->row == row) {
        const bool inserted = m_editing->inserted;
        cancel();
        if (inserted)
            return;
    }
    post();
    if (row < 0 || row >= rowCount())
        return;
    const qint64 position = positionOf(row);
    m_table->remove(recordAt(row).id);
    beginRemoveRows({}, row, row);
    m_pages->changedFrom(position, m_pages->known() - 1);
    endRemoveRows();
}

int BrowseModel::refresh(int row) {
    post();
    const std::optional<qint64> id =
        row >= 0 && row < rowCount() ? std::optional(recordAt(row).id) : std::nullopt;
    const qint64 count = m_table->recordCount();
    const qint64 position = id ? m_table->position(*id) : 0;
    beginResetModel();
    m_pages->changedFrom(0, count);
    m_pages->setCounted(count);
    endResetModel();
    return int(std::min(position, count - 1));
}

qint64 BrowseModel::positionOf(int row) const {
    return m_editing && m_editing->inserted && row > m_editing->row ? row - 1 : row;
}

const BrowseRecord& BrowseModel::recordAt(int row) const {
    return m_pages->at(positionOf(row));
}

bool BrowseModel::modified() const {
    return std::any_of(m_editing->typed.begin(), m_editing->typed.end(),
                       [](const std::optional<QString>& typed) { return typed.has_value(); });
}

bool BrowseModel::mayMove() const {
    if (m_editing->inserted)
        return true;
    for (int column = 0; column < m_table->fields().size(); ++column) {
        if (m_table->fields()[column].key && m_editing->typed[column])
            return true;
    }
    return false;
}

void BrowseModel::indicatorChanged(int row) {
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}
