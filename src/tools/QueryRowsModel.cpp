#include "tools/QueryRowsModel.h"

#include "store/EngineError.h"
#include "store/NameSource.h"
#include "tools/RecordIndicator.h"

#include <algorithm>
#include <utility>

QueryRowsModel::QueryRowsModel(NameSource& source, QObject* parent)
    : QAbstractTableModel(parent), m_source(source) {}

QueryRowsModel::~QueryRowsModel() = default;

void QueryRowsModel::open(const QString& tableFile, const QStringList& sqlLines,
                          const QString& parameter, const QString& value) {
    const QString sql = sqlLines.join(u'\n');
    // The same search again, with another text, runs the statement prepared before, and the
    // grid keeps its columns: only the rows change.
    if (m_statement.isPrepared() && sql == m_preparedSql) {
        rerun(parameter, value);
        return;
    }
    // One reset takes the grid from the old rows and columns to the new ones.
    beginResetModel();
    clear();
    try {
        forgetStatement();
        m_tablePath = m_source.tablePath(tableFile);
        m_source.attach(tableFile);
        if (!m_statement.prepare(m_source.connection().handle(), sql))
            throw EngineError(m_statement.errorText(), m_tablePath);
        m_preparedSql = sql;
        for (int column = 0; column < m_statement.columnCount(); ++column)
            m_fieldNames.append(m_statement.columnName(column));
        bind(parameter, value);
        if (!readRows(batchRows))
            throw EngineError(m_statement.errorText(), m_tablePath);
    } catch (...) {
        clear();
        forgetStatement();
        endResetModel();
        throw;
    }
    m_open = true;
    m_rowCount = rowsRead();
    endResetModel();
}

void QueryRowsModel::rerun(const QString& parameter, const QString& value) {
    // The old rows make room for the new ones at once; until the grid is told, the rows it
    // still counts beyond the new ones read as nothing.
    m_statement.reset();
    m_rows.clear();
    bind(parameter, value);
    if (!readRows(batchRows)) {
        const EngineError error(m_statement.errorText(), m_tablePath);
        close();
        throw error;
    }
    // No read while the grid is told: its rows would grow in the middle of the change.
    const bool atEnd = std::exchange(m_atEnd, true);
    const int rows = rowsRead();
    if (rows < m_rowCount) {
        beginRemoveRows({}, rows, m_rowCount - 1);
        m_rowCount = rows;
        endRemoveRows();
    }
    if (m_rowCount > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, columnCount() - 1));
    if (rows > m_rowCount) {
        beginInsertRows({}, m_rowCount, rows - 1);
        m_rowCount = rows;
        endInsertRows();
    }
    m_open = true;
    m_atEnd = atEnd;
}

void QueryRowsModel::bind(const QString& parameter, const QString& value) {
    const int index = m_statement.parameterIndex(u':' + parameter);
    if (index > 0)
        m_statement.bindText(index, value.toUtf8());
    m_atEnd = false;
}

void QueryRowsModel::close() {
    beginResetModel();
    clear();
    forgetStatement();
    endResetModel();
}

void QueryRowsModel::clear() {
    // Rewound, not finalized: the next search may run it again.
    m_statement.reset();
    m_rows.clear();
    m_rowCount = 0;
    m_indicatorRow = -1;
    m_open = false;
    m_atEnd = true;
}

void QueryRowsModel::forgetStatement() {
    m_statement.finalize();
    m_preparedSql.clear();
    m_fieldNames.clear();
}

bool QueryRowsModel::readRows(int count) {
    const int columns = int(m_fieldNames.size());
    for (int read = 0; read < count; ++read) {
        switch (m_statement.step()) {
        case Statement::Step::Row:
            m_rows.appendRow(m_statement, columns);
            break;
        case Statement::Step::Done:
            // Rewound at once, so that the read no longer holds the table file.
            m_statement.reset();
            m_atEnd = true;
            return true;
        case Statement::Step::Error:
            m_atEnd = true;
            return false;
        }
    }
    return true;
}

int QueryRowsModel::fieldIndex(const QString& name) const {
    for (int column = 0; column < m_fieldNames.size(); ++column) {
        if (m_fieldNames[column].compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

QString QueryRowsModel::text(int row, int column) const {
    return m_rows.text(cell(row, column));
}

std::optional<qint64> QueryRowsModel::wholeNumber(int row, int column) const {
    if (text(row, column).isEmpty())
        return std::nullopt;
    return m_rows.integer(cell(row, column));
}

void QueryRowsModel::setIndicatorRow(int row) {
    const int previous = std::exchange(m_indicatorRow, row);
    for (const int changed : {previous, row}) {
        if (changed >= 0 && changed < m_rowCount)
            emit headerDataChanged(Qt::Vertical, changed, changed);
    }
}

int QueryRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int QueryRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_fieldNames.size());
}

QVariant QueryRowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid) ||
        index.row() >= rowsRead())
        return {};
    return text(index.row(), index.column());
}

QVariant QueryRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return fieldName(section);
    return section == m_indicatorRow ? recordIndicatorMark : QString();
}

bool QueryRowsModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_open && !m_atEnd;
}

void QueryRowsModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    // Each batch as large as all before it: a long result reaches the grid in a few steps.
    const bool read = readRows(std::max(batchRows, rowsRead()));
    // The rows just read count once the grid has been told of them.
    const int rows = rowsRead();
    if (rows > m_rowCount) {
        beginInsertRows({}, m_rowCount, rows - 1);
        m_rowCount = rows;
        endInsertRows();
    }
    if (!read) {
        // The grid asked for the rows while painting or scrolling: the error is told after.
        const QString error = EngineError(m_statement.errorText(), m_tablePath).message();
        m_statement.reset();
        QMetaObject::invokeMethod(
            this, [this, error] { emit readFailed(error); }, Qt::QueuedConnection);
    }
}
