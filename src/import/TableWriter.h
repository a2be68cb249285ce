#pragma once

#include "store/Connection.h"
#include "store/Statement.h"
#include "store/TableAbout.h"
#include "store/TableSchema.h"

#include <QByteArrayView>
#include <QString>
#include <initializer_list>

// Writes one protected table file from rows, into a temporary file beside its final place.
// Nothing appears under the final name until the finished file is renamed over it (see
// PairWriter), so a failed import leaves no half-written table behind; the destructor removes
// the file unless it was released.
class TableWriter {
public:
    TableWriter(const QString& folder, const TableSchema::Layout& layout, const QString& password);
    ~TableWriter();
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // Sets a column (by its position in the layout) of the next row. The text is not copied:
    // its bytes must stay valid until insertRow().
    void setText(int column, QByteArrayView utf8) { insert_.bindTextInPlace(column + 1, utf8); }
    void setInteger(int column, qint64 value) { insert_.bindInteger(column + 1, value); }
    // Inserts the row whose columns were set; false when the table holds its key already.
    bool insertRow();
    // Builds the layout's indexes once every row is in.
    void buildIndexes();
    // Whether a row meets `condition`, SQL in which ?1, ?2 ... stand for the texts.
    bool contains(const QString& condition, std::initializer_list<QByteArrayView> texts);
    // Keeps a fact about the table in the file; finish() writes it.
    void setAbout(const QString& name, const QString& value) { about_.append({name, value}); }
    // Protects and closes the file, and flushes it to the disk.
    void finish();
    // Hands the finished file over to the caller, who puts it in place: the writer no longer
    // removes it.
    void release() { tempPath_.clear(); }
    // The file being written, and the name it takes at replace().
    const QString& tempPath() const { return tempPath_; }
    const QString& finalPath() const { return finalPath_; }

private:
    void exec(const QString& sql);
    [[noreturn]] void fail(const QString& text) const;
    void closeConnection();

    const TableSchema::Layout& layout_;
    QString password_;
    QString finalPath_;
    QString tempPath_;
    Connection db_;
    Statement insert_;
    Statement lookUp_;
    QString lookUpCondition_;
    TableAbout::Facts about_;
};
