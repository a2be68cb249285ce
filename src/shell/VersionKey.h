#pragma once

#include <QString>

// The last component of the settings key's path, from the program's version text: builds
// that differ only in the third or fourth number share one key ("1.0.1.4" gives "1.0.0.0").
QString VersionKeyOf(const QString& version);
