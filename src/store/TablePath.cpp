#include "store/TablePath.h"

QString tablePathIn(const QString& folder, const QString& tableFile) {
    return folder.endsWith('/') ? folder + tableFile : folder + '/' + tableFile;
}

QString folderOf(const QString& tablePath) {
    return tablePath.left(tablePath.lastIndexOf('/') + 1);
}

QString fileNameOf(const QString& tablePath) {
    return tablePath.mid(tablePath.lastIndexOf('/') + 1);
}

QString missingSourceMessage(const QString& tablePath) {
    return QStringLiteral("Data source for Nardel is not available\r\n[") + tablePath + ']';
}
