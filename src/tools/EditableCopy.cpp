#include "tools/EditableCopy.h"

#include "platform/MessageBox.h"
#include "store/TablePair.h"
#include "store/TablePath.h"
#include "store/TableSchema.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const char* const questionText = QT_TRANSLATE_NOOP(
    "EditableCopy", "Seznam jmen ve složce %1 nemůžete měnit.\n\nZkopírovat ho do vaší složky %2 "
                    "a upravovat kopii? Nardel pak bude pracovat s kopií, původní seznam zůstane "
                    "beze změny.\n\nNe: seznam se otevře jen pro čtení.");

// The folder as the user knows it, without links and "..".
QString shown(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? folder : canonical;
}

bool sameFolder(const QString& one, const QString& other) {
    const QString canonical = QFileInfo(one).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath();
}

} // namespace

EditableCopy::EditableCopy(const QString& userFolder) : m_userFolder(userFolder) {}

std::optional<QString> EditableCopy::offer(QWidget* parent, const QString& tableFolder) {
    const QString names = tablePathIn(tableFolder, TableSchema::names().tableFile);
    if (m_declined || !QFileInfo(names).isFile() || mayWriteTable(names) ||
        sameFolder(tableFolder, m_userFolder))
        return std::nullopt;
    if (!MessageBox::ask(parent, QCoreApplication::translate("EditableCopy", "Potvrzení"),
                         QCoreApplication::translate("EditableCopy", questionText)
                             .arg(shown(tableFolder), m_userFolder))) {
        m_declined = true;
        return std::nullopt;
    }
    TablePair::copy(tableFolder, m_userFolder);
    return m_userFolder;
}
