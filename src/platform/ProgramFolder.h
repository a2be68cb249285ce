#pragma once

#include <QString>

// The folder of the program's own file, as a path the program can open. A folder name whose
// bytes are not valid UTF-8 cannot be written as text: such a folder is opened once and
// reached through its descriptor for the rest of the run.
QString programFolder();
