#pragma once

#include "store/Statement.h"

#include <QByteArray>
#include <QString>
#include <span>

// A record of the editing window's table: its identity in the file and its field values in
// the table's field order. The values are kept as the file holds them (text and blobs as
// their bytes, numbers, null), in one block of memory, and become text only when the grid
// asks for them: a screen shows a few of the fields that are read.
struct BrowseRecord {
    BrowseRecord() = default;
    BrowseRecord(qint64 identity, std::span<const Statement::Value> values);

    // A field as it is shown and edited; empty for null and for a field the record lacks.
    QString text(int field) const;

    qint64 id = 0;

private:
    struct Field {
        Statement::Kind kind;
        qint64 number; // a whole number, the bits of a real, or where the bytes begin
        qsizetype size;
    };
    qsizetype m_fields = 0;
    QByteArray m_block; // the fields, then their texts and blobs one after the other
};
