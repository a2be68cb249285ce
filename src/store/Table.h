#pragma once

#include <QString>

class NameSource;

// A table opened by its file name within a NameSource, for browsing and editing through a
// model. Every failure throws EngineError naming the file.
class Table {
public:
    Table(NameSource& source, QString tableFile);

    const QString& tableFile() const { return tableFile_; }
    void open();
    bool isOpen() const { return !schema_.isEmpty(); }
    void close() { schema_.clear(); }
    int recordCount() const;
    // The table's name as SQL and a QSqlTableModel take it: schema-qualified and quoted.
    QString sqlName() const;

private:
    NameSource& source_;
    QString tableFile_;
    QString schema_;
};
