#pragma once

#include <QString>
#include <QStringList>

// What nardel's command line asks for.
struct ProgramOptions {
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    // --tables FOLDER: the one folder that this run takes its tables from.
    QString tablesFolder;
    // Why the command line cannot be used (Action::Fail), in Czech.
    QString error;
};

// Reads the command line, the program's name first. Help and version win over errors, so
// they also work beside the toolkit's own options, which are not known here.
ProgramOptions readProgramOptions(const QStringList& arguments);

// The text of --help, in Czech.
QString programHelp();
