#include "shell/VersionKey.h"

QString VersionKeyOf(const QString& version) {
    const qsizetype firstDot = version.indexOf(u'.');
    if (firstDot <= 0)
        return version;
    const qsizetype secondDot = version.indexOf(u'.', firstDot + 1);
    // "1.2" is major and minor already; "1..2" and "1." name no minor version and stay as
    // they are.
    if (secondDot < 0)
        return firstDot + 1 < version.size() ? version + QStringLiteral(".0.0") : version;
    if (secondDot == firstDot + 1)
        return version;
    return version.left(secondDot) + QStringLiteral(".0.0");
}
