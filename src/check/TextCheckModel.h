#pragma once

#include "check/TextCheck.h"

#include <QAbstractTableModel>
#include <memory>

// The names found in a text as rows of a grid: line, as written, in the tables, status. The
// status of a row that offers a name to put in place of the written one can be ticked.
class TextCheckModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Line, Written, Name, Status, Columns };

    explicit TextCheckModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setCheck(std::unique_ptr<TextCheck> check);
    const TextCheck* check() const { return m_check.get(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::unique_ptr<TextCheck> m_check;
};
