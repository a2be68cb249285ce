#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The folders where the program looks for its table files, in this order: the folder named
// by NARDEL_TABLES; the user's own table folder; the program's own folder (a build tree or an
// unpacked copy); share/nardel of the installation that holds the program's bin/ folder.
QStringList tableFolders(const QProcessEnvironment& environment, const QString& programFolder);

// The user's own table folder, where imported and edited tables go:
// $XDG_DATA_HOME/nardel, else ~/.local/share/nardel.
QString userTableFolder(const QProcessEnvironment& environment);

// The first of `folders` that holds the file `tableFile`, or an empty text when none does.
QString firstFolderHolding(const QStringList& folders, const QString& tableFile);
