#include "tools/DictionaryExport.h"

#include "platform/MessageBox.h"
#include "tools/DictionaryFile.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace {

const char* const officeFilter =
    QT_TRANSLATE_NOOP("DictionaryExport", "Uživatelský slovník MS Office (*.dic *.DIC)");
const char* const allFilesFilter = QT_TRANSLATE_NOOP("DictionaryExport", "Všechny soubory (*)");
const char* const libreOfficeFilter =
    QT_TRANSLATE_NOOP("DictionaryExport", "Uživatelský slovník LibreOffice (*.dic)");

QString translated(const char* text) {
    return QCoreApplication::translate("DictionaryExport", text);
}

QString libreOfficeMessage(const QStringList& fileNames) {
    QString text = QCoreApplication::translate(
        "DictionaryExport",
        "Uživatelský slovník byl generován.\r\nPro použití jej musíte zkopírovat do složky "
        "wordbook svého profilu LibreOffice a zapnout v Nástroje > Možnosti > Jazyková "
        "nastavení > Pomůcky pro psaní.\r\n");
    if (fileNames.size() > 1)
        text += QCoreApplication::translate(
                    "DictionaryExport",
                    "LibreOffice načte z jednoho slovníku nejvýše %1 slov, proto je "
                    "slovník rozdělen do %2 souborů:\r\n")
                    .arg(libreOfficeWordLimit)
                    .arg(fileNames.size());
    return text + fileNames.join(QStringLiteral("\r\n"));
}

} // namespace

QString writeDictionary(NameSource& source, const QString& tableName,
                        const DictionaryFields& fields, const QString& fileName,
                        DictionaryFormat format, const QLocale& locale) {
    // LibreOffice checks the parts of a hyphenated word by itself; MS Office needs them apart.
    const bool splitAtHyphen = format == DictionaryFormat::MsOffice;
    WordList list(locale);
    readDictionaryWords(source, tableName, fields, splitAtHyphen, list);
    const QStringList words = list.words();
    if (format == DictionaryFormat::MsOffice) {
        writeWholeFile(fileName, officeDictionary(words));
        return QCoreApplication::translate(
                   "DictionaryExport",
                   "Uživatelský slovník byl generován.\r\nPro použití jej musíte v MS "
                   "Word připojit na adrese\r\n") +
               fileName;
    }
    const QList<QByteArray> files = libreOfficeDictionaries(words);
    QStringList fileNames;
    for (qsizetype part = 1; part <= files.size(); ++part) {
        fileNames.append(partFileName(fileName, part));
        writeWholeFile(fileNames.last(), files[part - 1]);
    }
    return libreOfficeMessage(fileNames);
}

void DictionaryExport::BtnDICgenerateClick(QWidget* parent, NameSource& source,
                                           const QString& tableName,
                                           const DictionaryFields& fields) {
    MessageBox::runAction(parent, [&] {
        QFileDialog SaveDlg(parent);
        SaveDlg.setAcceptMode(QFileDialog::AcceptSave);
        SaveDlg.setOption(QFileDialog::DontConfirmOverwrite);
        // Qt's own dialog speaks the program's Czech; a desktop's may not.
        SaveDlg.setOption(QFileDialog::DontUseNativeDialog);
        SaveDlg.setNameFilters(
            {translated(officeFilter), translated(allFilesFilter), translated(libreOfficeFilter)});
        SaveDlg.selectNameFilter(translated(officeFilter));
        SaveDlg.setDefaultSuffix(QStringLiteral("dic"));
        if (!m_fileName.isEmpty())
            SaveDlg.selectFile(m_fileName);
        if (SaveDlg.exec() != QDialog::Accepted || SaveDlg.selectedFiles().isEmpty())
            return;
        m_fileName = SaveDlg.selectedFiles().first();
        const DictionaryFormat format =
            SaveDlg.selectedNameFilter() == translated(libreOfficeFilter)
                ? DictionaryFormat::LibreOffice
                : DictionaryFormat::MsOffice;
        const QString message = writeDictionary(source, tableName, fields, m_fileName, format);
        MessageBox::show(parent, MessageBox::Kind::Information,
                         QCoreApplication::translate("DictionaryExport", "Informace"), message);
    });
}
