#include "platform/TableFolders.h"

#include <QDir>
#include <QFileInfo>

QStringList tableFolders(const QProcessEnvironment& environment, const QString& programFolder) {
    QStringList folders;
    const QString chosen = environment.value(QStringLiteral("NARDEL_TABLES"));
    if (!chosen.isEmpty())
        folders << chosen;
    // The parent is left to the file system: the program's folder may be a link to a
    // descriptor (see ProgramFolder.h), whose parent no text can name.
    folders << userTableFolder(environment) << programFolder
            << programFolder + QStringLiteral("/../share/nardel");
    return folders;
}

QString userTableFolder(const QProcessEnvironment& environment) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
    const QString dataHome = environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (QDir::isAbsolutePath(dataHome))
        return dataHome + QStringLiteral("/nardel");
    const QString home = environment.value(QStringLiteral("HOME"), QDir::homePath());
    return home + QStringLiteral("/.local/share/nardel");
}

QString firstFolderHolding(const QStringList& folders, const QString& tableFile) {
    for (const QString& folder : folders) {
        if (QFileInfo(folder + u'/' + tableFile).isFile())
            return folder;
    }
    return {};
}
