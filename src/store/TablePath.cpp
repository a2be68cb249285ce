#include "store/TablePath.h"

#include <QCoreApplication>
#include <QFile>
#include <unistd.h>

QString tablePathIn(const QString& folder, const QString& tableFile) {
    return folder.endsWith('/') ? folder + tableFile : folder + '/' + tableFile;
}

QString folderOf(const QString& tablePath) {
    return tablePath.left(tablePath.lastIndexOf('/') + 1);
}

QString fileNameOf(const QString& tablePath) {
    return tablePath.mid(tablePath.lastIndexOf('/') + 1);
}

bool mayWriteTable(const QString& tablePath) {
    const auto mayWrite = [](const QString& path) {
        return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
    };
    return mayWrite(tablePath) && mayWrite(folderOf(tablePath));
}

QString missingSourceMessage(const QString& tablePath, const QStringList& foldersSearched) {
    QString message =
        QCoreApplication::translate("TablePath", "Data source for Nardel is not available") +
        QStringLiteral("\r\n[") + tablePath + ']';
    if (foldersSearched.isEmpty())
        return message;
    message +=
        QStringLiteral("\r\n\r\n") +
        QCoreApplication::translate("TablePath", "Tabulky jmen nejsou v žádné z těchto složek:");
    for (const QString& folder : foldersSearched)
        message += QStringLiteral("\r\n") + folder;
    return message + QStringLiteral("\r\n\r\n") +
           QCoreApplication::translate("TablePath",
                                       "Vytvořte je příkazem nardel-import, nebo programu "
                                       "zadejte jejich složku volbou --tables.");
}
