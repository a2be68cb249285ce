#pragma once

#include "import/ImportError.h"
#include "import/ImportReport.h"

#include <QString>

// Builds the name table and the synonym table files from UTF-8 tab-separated files, checks
// every row, and protects both files with the program's table password. Either both files
// are replaced or neither is. A missing file and bad rows throw ImportError ("file:line: what
// is wrong"), failures of the database EngineError. The progress goes through the bytes of
// each file: Phase Names, then Synonyms.
namespace TableImport {

ImportReport importTables(const QString& namesTsv, const QString& synonymsTsv,
                          const QString& folder, const PhaseProgress& progress = {});

} // namespace TableImport
