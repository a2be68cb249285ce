#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What nardel's command line asks for.
struct ProgramOptions {
    Q_DECLARE_TR_FUNCTIONS(ProgramOptions)
public:
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    // --tables FOLDER: the one folder that this run takes its tables from.
    QString tablesFolder;
    // Why the command line cannot be used (Action::Fail), in Czech.
    QString error;
};

// Reads the command line, the program's name first, without the toolkit, which a wrong command
// line must not need: the toolkit's own options (-platform, -style ...) are passed over and
// left to it. Help and version win over errors.
ProgramOptions readProgramOptions(const QStringList& arguments);

// The text of --help, in Czech.
QString programHelp();
