// The main window's options menu, the restoring of its options and place at the first
// activation, and their saving when the window closes.
#include "picker/FNardel.h"

#include "ui_FNardel.h"

#include "platform/MessageBox.h"
#include "platform/WindowPlace.h"
#include "shell/SettingNames.h"
#include "shell/SettingsStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

void TFormNardel::setUpOptionsMenu() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupMenu->addActions(
        {m_ui->CBauthor, m_ui->CBauto, m_ui->CBformated, m_ui->BtnFormat1, m_ui->CBsmart});
    PopupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    PopupMenu->addActions({m_ui->BtnDICgenerate, m_ui->BtnEdit, m_ui->BtnTextCheck});
    PopupMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    PopupMenu->addAction(m_ui->StandardForm);

    // A triggered item has flipped its own tick already; the handler acts on the new state.
    connect(m_ui->CBauthor, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { CBauthorClick(); }); });
    connect(m_ui->CBauto, &QAction::triggered, this, &TFormNardel::CBautoClick);
    connect(m_ui->CBformated, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { CBformatedClick(); }); });
    connect(m_ui->BtnFormat1, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { BtnFormat1Click(); }); });
    connect(m_ui->StandardForm, &QAction::triggered, this, &TFormNardel::StandardFormClick);
    connect(PopupMenu, &QMenu::aboutToShow, this, &TFormNardel::PopupMenuPopup);
    connect(m_ui->BtnMenu, &QPushButton::clicked, this, &TFormNardel::BtnMenuClick);
}

void TFormNardel::BtnMenuClick() {
    // The menu opens over the button, at its top-left corner.
    PopupMenu->popup(m_ui->BtnMenu->mapToGlobal(QPoint(0, 0)));
}

void TFormNardel::PopupMenuPopup() {
    m_ui->BtnFormat1->setEnabled(RichOut != nullptr);
}

void TFormNardel::StandardFormClick() {
    const double dotsPerInch = WindowPlace::dotsPerInch(this);
    setWindowState(Qt::WindowNoState);
    // The client area as designed, whatever frame the window manager draws around it.
    setFixedSize(WindowPlace::scaled(m_designedSize.width(), dotsPerInch),
                 WindowPlace::scaled(m_designedSize.height(), dotsPerInch));
    WindowPlace::moveToScreenPixels(this, {10, 10});
}

void TFormNardel::restoreSettings() {
    m_settings.restoreWindowPlace(SettingNames::mainWindowPrefix, this);
    qint32 storedLevel;
    if (m_settings.readInt(SettingNames::level, storedLevel)) {
        Level = storedLevel;
        if (storedLevel == 1)
            m_ui->RBspecies->setChecked(true);
        else if (storedLevel == 2)
            m_ui->RBsubsp->setChecked(true);
        else {
            m_ui->RBgenus->setChecked(true);
            Level = 0;
        }
    }
    bool flag;
    if (m_settings.readBool(SettingNames::addAuthor, flag))
        m_ui->CBauthor->setChecked(flag);
    if (m_settings.readBool(SettingNames::autoClipboard, flag)) {
        m_ui->CBauto->setChecked(flag);
        m_ui->BtnInsert->setVisible(!flag);
    }
    if (m_settings.readBool(SettingNames::smartLookup, flag))
        m_ui->CBsmart->setChecked(flag);
    if (m_settings.readBool(SettingNames::formatted, flag) && flag)
        m_ui->CBformated->trigger();
}

void TFormNardel::FormClose() {
    // Before the first activation the options were never restored: saving them would replace
    // the user's with the defaults.
    if (!Activated || m_endingWithoutSaving)
        return;
    // A store that refuses the writes (a key that this user may only read) costs the user
    // the options of this run, never the window's closing.
    try {
        m_settings.saveWindowPlace(SettingNames::mainWindowPrefix, this);
        m_settings.writeInt(SettingNames::level, Level);
        m_settings.writeBool(SettingNames::addAuthor, m_ui->CBauthor->isChecked());
        m_settings.writeBool(SettingNames::autoClipboard, m_ui->CBauto->isChecked());
        m_settings.writeBool(SettingNames::formatted, m_ui->CBformated->isChecked());
        m_settings.writeBool(SettingNames::smartLookup, m_ui->CBsmart->isChecked());
    } catch (const std::exception& failure) {
        MessageBox::show(this, MessageBox::Kind::Warning, QCoreApplication::applicationName(),
                         tr("Volby a umístění okna se neuložily.") + u'\n' +
                             QString::fromUtf8(failure.what()));
    }
}

void TFormNardel::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}
