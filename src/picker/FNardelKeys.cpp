// The main window's keyboard control. The window sees every key before the focused control:
// Ctrl with a letter moves the focus (Ctrl+K opens the text check), Alt with a letter sets the
// level or runs a button, and no key held with either ever reaches a list.
#include "picker/FNardel.h"

#include "platform/MessageBox.h"
#include "ui_FNardel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

void focusIfShown(QWidget* control) {
    if (control->isVisible())
        control->setFocus(Qt::ShortcutFocusReason);
}

// Whether the user moved the focus: a click, Tab or a shortcut. The focus that Qt gives back
// when the window becomes active again, or when a popup closes, is none of the user's work.
bool enteredByUser(const QEvent* focusIn) {
    switch (static_cast<const QFocusEvent*>(focusIn)->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    default:
        return false;
    }
}

} // namespace

void TFormNardel::FormKeyDown(QObject* /*Sender*/, int& Key, Qt::KeyboardModifiers Shift) {
    if (Shift & Qt::ControlModifier) {
        switch (Key) {
        case Qt::Key_G:
            m_ui->CBgenus->setFocus(Qt::ShortcutFocusReason);
            break;
        case Qt::Key_S:
            m_ui->CBspecies->setFocus(Qt::ShortcutFocusReason);
            break;
        case Qt::Key_U:
            m_ui->CBsubsp->setFocus(Qt::ShortcutFocusReason);
            break;
        case Qt::Key_I:
            focusIfShown(m_ui->BtnInsert);
            break;
        case Qt::Key_F:
            focusIfShown(m_ui->BtnFind);
            break;
        case Qt::Key_N:
            m_ui->BtnSyn->setFocus(Qt::ShortcutFocusReason);
            break;
        case Qt::Key_K:
            MessageBox::runAction(this, [this] { BtnTextCheckClick(); });
            break;
        }
        Key = 0;
        LastKey = 0;
    }
    if (Shift & Qt::AltModifier) {
        switch (Key) {
        case Qt::Key_G:
            m_ui->RBgenus->setChecked(true);
            break;
        case Qt::Key_S:
            m_ui->RBspecies->setChecked(true);
            break;
        case Qt::Key_U:
            m_ui->RBsubsp->setChecked(true);
            break;
        case Qt::Key_I:
            MessageBox::runAction(this, [this] { BtnInsertClick(m_ui->BtnInsert); });
            break;
        case Qt::Key_F:
            BtnFindClick(m_ui->BtnFind);
            break;
        case Qt::Key_N:
            MessageBox::runAction(this, [this] { BtnSynClick(); });
            break;
        }
        Key = 0;
        LastKey = 0;
    }
    LastKey = quint8(Key & 0xFF);
}

void TFormNardel::CBKeyPress(QObject* /*Sender*/, QChar& Key) {
    if (LastKey == 0)
        Key = QChar();
}

bool TFormNardel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* press = static_cast<QKeyEvent*>(event);
        // A shortcut in an open list closes its popup and acts as in the list itself.
        if (press->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            for (QComboBox* list : {m_ui->CBgenus, m_ui->CBspecies, m_ui->CBsubsp})
                if (watched == list->view()) {
                    list->hidePopup();
                    watched = list;
                }
        int key = press->key();
        FormKeyDown(watched, key, press->modifiers());
        if (key == 0)
            return true;
        // A list takes the key's character only after a key that was not a shortcut.
        if (qobject_cast<QComboBox*>(watched) && !press->text().isEmpty()) {
            QChar typed = press->text().front();
            CBKeyPress(watched, typed);
            if (typed.isNull())
                return true;
        }
        break;
    }
    case QEvent::ShortcutOverride:
        // Ctrl and Alt keys are the window's own: no control claims them first.
        if (static_cast<QKeyEvent*>(event)->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            event->accept();
        break;
    case QEvent::FocusIn:
        // "Syn." and "Volby" lead to other windows; the watch goes on for them.
        if (watched != this && watched != m_ui->BtnSyn && watched != m_ui->BtnMenu &&
            enteredByUser(event))
            FormClick();
        break;
    case QEvent::MouseButtonPress:
        if (qobject_cast<QLabel*>(watched))
            FormClick();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
