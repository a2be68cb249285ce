#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

// A bad input line: "file:line: what is wrong".
class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Builds the name table and the synonym table files from UTF-8 tab-separated files, checks
// every row, and protects both files with the program's table password. Either both files
// are replaced or neither is. Bad rows throw ImportError ("file:line: what is wrong"),
// failures of the database EngineError.
namespace TableImport {

using Progress = std::function<void(const QString& file, qint64 rows)>;

void importTables(const QString& namesTsv, const QString& synonymsTsv, const QString& folder,
                  const Progress& progress = {});

} // namespace TableImport
