// The tools that the main window starts: the synonym search ("Syn.", Alt-N), the spelling
// dictionary, the editing window and the text check (options menu).
#include "picker/FNardel.h"

#include "check/FTextCheck.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardText.h"
#include "platform/MessageBox.h"
#include "platform/TableFolders.h"
#include "store/NameSource.h"
#include "store/TablePath.h"
#include "store/TableSchema.h"
#include "tools/DictionaryExport.h"
#include "tools/EditableCopy.h"
#include "tools/FBrowse.h"
#include "tools/FSyns.h"
#include "ui_FNardel.h"

#include <QAction>
#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScopedValueRollback>

void TFormNardel::setUpTools() {
    m_dictionaryExport = std::make_unique<DictionaryExport>();
    m_editableCopy =
        std::make_unique<EditableCopy>(userTableFolder(QProcessEnvironment::systemEnvironment()));
    connect(m_ui->BtnSyn, &QPushButton::clicked, this,
            [this] { MessageBox::runAction(this, [this] { BtnSynClick(); }); });
    connect(m_ui->BtnDICgenerate, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { BtnDICgenerateClick(); }); });
    connect(m_ui->BtnEdit, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { BtnEditClick(); }); });
    connect(m_ui->BtnTextCheck, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { BtnTextCheckClick(); }); });
}

void TFormNardel::BtnTextCheckClick() {
    if (!m_lists.opened())
        return;
    if (!FormTextCheck) {
        FormTextCheck = std::make_unique<TFormTextCheck>(
            m_lists.source().param(QStringLiteral("PATH")), m_clipboard,
            [this](int level, const QString& genus, const QString& species, const QString& subsp) {
                MessageBox::runAction(this, [&] { SelectName(level, genus, species, subsp); });
            },
            this);
    }
    FormTextCheck->ShowFormTextCheck();
}

void TFormNardel::BtnSynClick() {
    const QString text = m_clipboard.text();
    if (!FormSyns) {
        FormSyns = std::make_unique<TFormSyns>(
            m_lists.source(),
            [this](int level, const QString& genus, const QString& species, const QString& subsp) {
                MessageBox::runAction(this, [&] { SelectName(level, genus, species, subsp); });
            },
            this);
    }
    FormSyns->ShowFormSyns(trimmedClipboardText(text).toString(), this);
}

void TFormNardel::BtnDICgenerateClick() {
    m_dictionaryExport->BtnDICgenerateClick(this, m_lists.source(), m_lists.tableFile(),
                                            {TableSchema::NameColumn::genus,
                                             TableSchema::NameColumn::species,
                                             TableSchema::NameColumn::subsp});
}

void TFormNardel::BtnEditClick() {
    // Tables the user may not write are edited in the user's copy, which the window then reads;
    // so does the next start, which finds the user's folder first.
    if (const std::optional<QString> copy = m_editableCopy->offer(this, m_programFolder))
        useTables(*copy);
    const QScopedValueRollback editing(m_editing, true);
    if (ShowFormBrowse(this, m_lists.source(), m_lists.tableFile()) ==
        BrowseOutcome::RestartNeeded) {
        // The lists no longer match the table: the program ends, keeping the options and the
        // place of the last close.
        m_endingWithoutSaving = true;
        QCoreApplication::quit();
    }
}

void TFormNardel::useTables(const QString& folder) {
    newConnection();
    m_programFolder = folder;
    OpenNameSource(tablePathIn(folder, m_lists.tableFile()));
    if (FormTextCheck)
        FormTextCheck->useTables(m_lists.source().param(QStringLiteral("PATH")));
}
