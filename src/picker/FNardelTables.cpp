// The main window reads the new tables that an import puts into its folder while it runs.
#include "picker/FNardel.h"

#include "picker/StatusLine.h"
#include "platform/MessageBox.h"
#include "store/TablePairWatch.h"
#include "store/TablePath.h"
#include "ui_FNardel.h"

#include <QApplication>
#include <QComboBox>
#include <QScopeGuard>

void TFormNardel::setUpTableWatch() {
    m_tableWatch = new TablePairWatch(this);
    connect(m_tableWatch, &TablePairWatch::changed, this,
            [this] { MessageBox::runAction(this, [this] { takeNewTables(); }); });
}

void TFormNardel::takeNewTables() {
    // Under a modal window, whose owner may be reading the old tables, the news waits for the
    // main window to become active again; the editing window, though, edits tables that are
    // no longer the folder's.
    if (!Activated || !m_lists.opened() || (QApplication::activeModalWidget() && !m_editing))
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
    PickerLists::Selection selected;
    for (const PickerLists::Level level :
         {PickerLists::Genus, PickerLists::Species, PickerLists::Subsp})
        if (const QComboBox* list = listOf(level); list->currentIndex() >= 0)
            selected[level] = list->currentText();
    const QString shownName = statusText();
    useTables(m_programFolder);
    std::array<qsizetype, 3> indexes{-1, -1, -1};
    {
        // The lists as the fills left them, also when one failed.
        const auto shown = qScopeGuard([&] {
            for (const PickerLists::Level level :
                 {PickerLists::Genus, PickerLists::Species, PickerLists::Subsp}) {
                showList(level);
                listOf(level)->setCurrentIndex(int(indexes[level]));
            }
        });
        indexes = m_lists.refill(selected);
    }
    // The name as the new tables give it, with its author and page, or none where its genus
    // is gone; no copy is made.
    if (!selected[PickerLists::Genus])
        return;
    const int level = indexes[PickerLists::Species] < 0 ? 0
                      : indexes[PickerLists::Subsp] < 0 ? 1
                                                        : 2;
    m_statusLine->showName(ComposeName(level));
    if (statusText() != shownName)
        m_statusLine->setCopied(false);
}
