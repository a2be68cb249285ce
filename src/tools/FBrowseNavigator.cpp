// The navigator bar of the editing window: its buttons and what they do to the table.
#include "tools/FBrowse.h"

#include "platform/MessageBox.h"
#include "platform/ThemeIcons.h"
#include "store/BrowseTable.h"
#include "tools/BrowseModel.h"
#include "ui_FBrowse.h"

#include <QMessageBox>
#include <algorithm>

namespace {

bool writes(NavigateButton button) {
    return button == NavigateButton::Insert || button == NavigateButton::Delete ||
           button == NavigateButton::Cancel;
}

} // namespace

void TFormBrowse::setUpNavigator() {
    // Theme icons where the desktop has them, else the glyphs of a database navigator.
    const struct {
        QToolButton* button;
        NavigateButton action;
        const char* icon;
        const char* glyph;
    } buttons[] = {
        {m_ui->BtnFirst, NavigateButton::First, "go-first", "|\u25C0"},
        {m_ui->BtnPrior, NavigateButton::Prior, "go-previous", "\u25C0"},
        {m_ui->BtnNext, NavigateButton::Next, "go-next", "\u25B6"},
        {m_ui->BtnLast, NavigateButton::Last, "go-last", "\u25B6|"},
        {m_ui->BtnInsert, NavigateButton::Insert, "list-add", "+"},
        {m_ui->BtnDelete, NavigateButton::Delete, "list-remove", "\u2212"},
        {m_ui->BtnCancel, NavigateButton::Cancel, "edit-undo", "\u2715"},
        {m_ui->BtnRefresh, NavigateButton::Refresh, "view-refresh", "\u21BB"},
    };
    for (const auto& [button, action, icon, glyph] : buttons) {
        const QIcon themed = themeIcon(QString::fromLatin1(icon));
        if (themed.isNull())
            button->setText(QString::fromUtf8(glyph));
        else
            button->setIcon(themed);
        // Named anew: clang before 16 cannot capture a structured binding.
        connect(button, &QToolButton::clicked, this,
                [this, clicked = action] { DBNavigatorClick(clicked); });
    }
    updateNavigator();
}

void TFormBrowse::DBNavigatorClick(NavigateButton button) {
    MessageBox::runAction(this, [this, button] { navigate(button); });
}

void TFormBrowse::navigate(NavigateButton button) {
    if (!Table || (readOnly() && writes(button)))
        return;
    if (button == NavigateButton::Cancel) {
        closeOpenEditor();
        DataSource->cancel();
        return;
    }
    if (button == NavigateButton::Delete) {
        deleteCurrent();
        return;
    }
    // Every other button leaves the record in editing: it is stored first.
    commitOpenEditor();
    DataSource->post();
    switch (button) {
    case NavigateButton::First:
        moveTo(0);
        break;
    case NavigateButton::Prior:
        moveTo(currentRow() - 1);
        break;
    case NavigateButton::Next:
        if (currentRow() + 1 >= DataSource->rowCount())
            DataSource->fetchMore({});
        moveTo(currentRow() + 1);
        break;
    case NavigateButton::Last:
        DataSource->countAll();
        moveTo(DataSource->rowCount() - 1);
        break;
    case NavigateButton::Insert: {
        const int row = std::max(currentRow(), 0);
        DataSource->insertAt(row);
        moveTo(row);
        m_ui->DBGrid1->setFocus();
        break;
    }
    case NavigateButton::Refresh:
        moveTo(DataSource->refresh(currentRow()));
        break;
    case NavigateButton::Delete:
    case NavigateButton::Cancel:
        break;
    }
}

void TFormBrowse::moveTo(int row) {
    const int column = std::max(m_ui->DBGrid1->currentIndex().column(), 0);
    row = std::min(row, DataSource->rowCount() - 1);
    m_ui->DBGrid1->setCurrentIndex(DataSource->index(std::max(row, 0), column));
}

void TFormBrowse::deleteCurrent() {
    const int row = currentRow();
    if (row < 0)
        return;
    QMessageBox question(QMessageBox::Question, tr("Potvrzení"), tr("Delete record?"),
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    // Deleted data come back only with a new installation: Enter alone keeps the record.
    question.setDefaultButton(QMessageBox::Cancel);
    if (question.exec() != QMessageBox::Ok)
        return;
    closeOpenEditor();
    DataSource->remove(row);
}

void TFormBrowse::updateNavigator() {
    const int row = currentRow();
    const int rows = DataSource->rowCount();
    const bool more = row + 1 < rows || DataSource->canFetchMore({});
    const bool writable = Table && !readOnly();
    m_ui->BtnFirst->setEnabled(row > 0);
    m_ui->BtnPrior->setEnabled(row > 0);
    m_ui->BtnNext->setEnabled(row >= 0 && more);
    m_ui->BtnLast->setEnabled(row >= 0 && more);
    m_ui->BtnInsert->setEnabled(writable);
    m_ui->BtnDelete->setEnabled(writable && rows > 0);
    m_ui->BtnCancel->setEnabled(writable && DataSource->state() != BrowseModel::State::Browse);
    m_ui->BtnRefresh->setEnabled(Table != nullptr);
}
