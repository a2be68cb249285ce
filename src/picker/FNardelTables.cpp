// The main window reads the new tables that an import puts into its folder while it runs.
#include "picker/FNardel.h"

#include "picker/StatusLine.h"
#include "platform/MessageBox.h"
#include "store/TablePairWatch.h"
#include "store/TablePath.h"
#include "ui_FNardel.h"

#include <QApplication>
#include <QComboBox>

namespace {

// A list's selection by its text, as it was before the tables were read anew.
struct Selected {
    explicit Selected(const QComboBox* list)
        : any(list->currentIndex() >= 0), text(list->currentText()) {}
    bool any;
    QString text;

    // Selects the same text, where the list has it; whether it did.
    bool selectIn(QComboBox* list) const {
        list->setCurrentIndex(any ? list->findText(text) : -1);
        return list->currentIndex() >= 0;
    }
};

} // namespace

void TFormNardel::setUpTableWatch() {
    m_tableWatch = new TablePairWatch(this);
    connect(m_tableWatch, &TablePairWatch::changed, this,
            [this] { MessageBox::runAction(this, [this] { takeNewTables(); }); });
}

void TFormNardel::takeNewTables() {
    // Under a modal window, whose owner may be reading the old tables, the news waits for the
    // main window to become active again; the editing window, though, edits tables that are
    // no longer the folder's.
    if (!Activated || !m_sourceOpen || (QApplication::activeModalWidget() && !m_editing))
        return;
    const TablePairWatch::News news = m_tableWatch->news();
    if (news == TablePairWatch::News::None)
        return;
    if (news == TablePairWatch::News::NewPair && !m_editing) {
        readTablesAgain();
        return;
    }
    // Told once: the same tables are no news again.
    m_tableWatch->settle();
    MessageBox::show(
        this, MessageBox::Kind::Warning, QGuiApplication::applicationDisplayName(),
        news == TablePairWatch::News::NewPair
            ? tr("Do složky %1 přibyly nové tabulky. Okno Editace dat ale upravuje ty "
                 "dosavadní, proto je Nardel teď načíst nemůže a úpravy v tomto okně se do "
                 "nových tabulek nedostanou. Zavřete okno Editace dat a restartujte Nardel.")
                  .arg(m_programFolder)
            : tr("Ve složce %1 chybí tabulka jmen nebo synonym, nebo ji nelze přečíst. "
                 "Nardel proto ukazuje tabulky, které načetl dříve. Restartujte Nardel.")
                  .arg(m_programFolder));
}

void TFormNardel::readTablesAgain() {
    const Selected genus(m_ui->CBgenus);
    const Selected species(m_ui->CBspecies);
    const Selected subsp(m_ui->CBsubsp);
    const QString shownName = statusText();
    useTables(m_programFolder);
    FillGenusList();
    int level = 0;
    if (genus.selectIn(m_ui->CBgenus)) {
        FillSpeciesList();
        if (species.selectIn(m_ui->CBspecies)) {
            level = 1;
            FillSubspList();
            if (subsp.selectIn(m_ui->CBsubsp))
                level = 2;
        }
    }
    // The name as the new tables give it, with its author and page, or none where its genus
    // is gone; no copy is made.
    if (!genus.any)
        return;
    m_statusLine->showName(ComposeName(level));
    if (statusText() != shownName)
        m_statusLine->setCopied(false);
}
