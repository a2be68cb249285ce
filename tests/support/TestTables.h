#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary table folder for one test: table files built by the import from tab-separated
// rows, or written by hand when a test needs a file the import would refuse to write.
class TestTables {
public:
    static QString nameHeader();
    static QString synonymHeader();
    // The SHA-256 of a file's bytes, or "(missing)" when it cannot be read.
    static QByteArray digestOf(const QString& path);

    TestTables();
    QString folder() const { return dir_.path(); }
    QString path(const QString& file) const { return dir_.filePath(file); }

    // Writes a text file into the folder.
    void writeText(const QString& file, const QString& text) const;
    // Builds plantnames.db and syns.db from rows (tab-separated, without the header line).
    void importRows(const QStringList& nameRows, const QStringList& synonymRows = {}) const;
    // Writes a table file with SQL statements run in order on a new database; the file is
    // protected with `password` unless it is empty.
    void writeTable(const QString& file, const QStringList& statements,
                    const QString& password) const;

    // The given columns of the rows of a table file in `folder`, each row's fields joined by
    // '|', in `order` (SQL).
    static QStringList rowsOf(const QString& folder, const QString& file,
                              const QStringList& columns, const QString& order);

private:
    QTemporaryDir dir_;
};
