#pragma once

#include "store/ResultRows.h"

#include <QString>
#include <span>

// A record of the editing window's table: its identity in the file and its field values in
// the table's field order, kept as the file holds them and made text only when the grid asks
// for them: a screen shows a few of the fields that are read.
struct BrowseRecord {
    BrowseRecord() = default;
    BrowseRecord(qint64 identity, std::span<const Statement::Value> values) : id(identity) {
        m_values.appendRow(values);
    }

    // A field as it is shown and edited; empty for null and for a field the record lacks.
    QString text(int field) const { return field < 0 ? QString() : m_values.text(size_t(field)); }

    qint64 id = 0;

private:
    ResultRows m_values;
};
