#include "check/TextCheckModel.h"

void TextCheckModel::setCheck(std::unique_ptr<TextCheck> check) {
    beginResetModel();
    m_check = std::move(check);
    endResetModel();
}

int TextCheckModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_check ? 0 : int(m_check->size());
}

int TextCheckModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant TextCheckModel::data(const QModelIndex& index, int role) const {
    if (!m_check || !index.isValid())
        return {};
    const qsizetype row = index.row();
    if (role == Qt::CheckStateRole && index.column() == Status && m_check->offersReplacement(row))
        return m_check->replaces(row) ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Line:
        return m_check->line(row);
    case Written:
        return m_check->written(row);
    case Name:
        return m_check->name(row);
    case Status:
        return m_check->status(row);
    }
    return {};
}

bool TextCheckModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!m_check || role != Qt::CheckStateRole || index.column() != Status ||
        !m_check->offersReplacement(index.row()))
        return false;
    m_check->setReplaces(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags TextCheckModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_check && index.column() == Status && m_check->offersReplacement(index.row()))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant TextCheckModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Line:
        return tr("Řádek");
    case Written:
        return tr("V textu");
    case Name:
        return tr("V tabulkách");
    case Status:
        return tr("Stav");
    }
    return {};
}
