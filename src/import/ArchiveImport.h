#pragma once

#include "import/ImportReport.h"

#include <QString>

// Builds the name table and the synonym table of a folder from a checklist archive (a zip,
// an unpacked folder or one data file with a header line of terms): its accepted genera,
// species and names below the species become rows of the name table, the synonyms that lead
// to them rows of the synonym table, and the checklist's citation is kept in the name table.
// Both tables are replaced together, or neither: a damaged archive throws ImportError naming
// the file and the line or element, and an archive without a single accepted name is refused
// the same way.
namespace ArchiveImport {

using Phase = ImportPhase;
using Progress = PhaseProgress;

ImportReport importArchive(const QString& archive, const QString& folder,
                           const Progress& progress = {});

} // namespace ArchiveImport
