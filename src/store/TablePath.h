#pragma once

#include <QString>
#include <QStringList>

// The full path of a table file in a folder, with exactly one '/' between them.
QString tablePathIn(const QString& folder, const QString& tableFile);
// The folder part of a table path, with its trailing '/', and the file-name part.
QString folderOf(const QString& tablePath);
QString fileNameOf(const QString& tablePath);
// Whether the user may write the table file and its folder, where the engine keeps the
// file's journal while it writes.
bool mayWriteTable(const QString& tablePath);

// The message for a name table that is not there: two lines, the path in brackets; below
// them, when given, the folders that were searched for it and what the user can do.
QString missingSourceMessage(const QString& tablePath, const QStringList& foldersSearched = {});
