#pragma once

#include "TableSchema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Writes one protected table file from rows, into a temporary file beside its final place.
// Nothing appears under the final name until replace() renames the finished file over it, so
// a failed import leaves no half-written table behind; the destructor removes what remains.
class TableWriter {
public:
    TableWriter(const QString& folder, const TableSchema::Layout& layout, const QString& password);
    ~TableWriter();
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // Values in the layout's column order.
    void insert(const QVariantList& values);
    // Builds the indexes, protects and closes the file, and flushes it to the disk.
    void finish();
    // Renames the finished file to its final name, replacing any earlier one.
    void replace();

private:
    void exec(const QString& sql);
    [[noreturn]] void fail(const QString& text) const;
    void closeConnection();

    const TableSchema::Layout& layout_;
    QString password_;
    QString finalPath_;
    QString tempPath_;
    QSqlDatabase db_;
    QSqlQuery insert_;
};
