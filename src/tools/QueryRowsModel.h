#pragma once

#include "store/ResultRows.h"
#include "store/Statement.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <optional>

class NameSource;

// The rows of a query as a grid shows them, read from the engine a batch at a time as the
// grid scrolls to them: a result of hundreds of thousands of rows opens as fast as its first
// screen, and only the rows read so far are held. The query's read stays open on its table
// file until the last row is read or the query is closed.
class QueryRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Rows read first: more than a grid shows on one screen. Later batches grow.
    static constexpr int batchRows = 100;

    explicit QueryRowsModel(NameSource& source, QObject* parent = nullptr);
    ~QueryRowsModel() override;

    // Runs the SQL, which names `tableFile` as its table, with one text parameter, and reads
    // the first batch of rows. The same SQL as the open result's keeps the grid's columns and
    // changes only its rows. Throws EngineError; the model is then closed.
    void open(const QString& tableFile, const QStringList& sqlLines, const QString& parameter,
              const QString& value);
    void close();
    bool isOpen() const { return m_open; }

    QString fieldName(int column) const { return m_fieldNames.value(column); }
    // The row that the grid's record indicator marks; -1 for none.
    void setIndicatorRow(int row);
    // The position of a field by name, without regard to letter case; -1 when there is none.
    int fieldIndex(const QString& name) const;
    QString text(int row, int column) const;
    // The value as a whole number; none for an empty value or any other text.
    std::optional<qint64> wholeNumber(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // Reading further rows failed: the rows read so far stay, and no more are read.
    void readFailed(const QString& text);

private:
    // Runs the prepared statement again with another value and puts its rows in place of the
    // old ones, telling the grid of the rows removed, changed and added.
    void rerun(const QString& parameter, const QString& value);
    // Binds the value and starts a new read.
    void bind(const QString& parameter, const QString& value);
    // Drops the rows and rewinds the statement, without telling the grid.
    void clear();
    // Drops the prepared statement as well.
    void forgetStatement();
    // Reads up to `count` more rows into m_rows; false when the engine failed.
    bool readRows(int count);
    int rowsRead() const {
        return m_fieldNames.isEmpty() ? 0 : int(m_rows.cellCount() / m_fieldNames.size());
    }
    size_t cell(int row, int column) const { return size_t(row) * m_fieldNames.size() + column; }

    NameSource& m_source;
    Statement m_statement;
    QString m_tablePath;
    QString m_preparedSql;
    QStringList m_fieldNames;
    ResultRows m_rows;
    int m_rowCount = 0;
    bool m_open = false;
    bool m_atEnd = true;
    int m_indicatorRow = -1;
};
