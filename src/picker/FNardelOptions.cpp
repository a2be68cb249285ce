// The main window's options menu, the restoring of its options and place at the first
// activation, and their saving when the window closes.
#include "picker/FNardel.h"

#include "platform/MessageBox.h"
#include "platform/WindowPlace.h"
#include "shell/FInfo.h"
#include "shell/SettingNames.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

QAction* addItem(QMenu* menu, const QString& name, const QString& caption, bool checkable) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setCheckable(checkable);
    return item;
}

} // namespace

void TFormNardel::createOptionsMenu() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    CBauthor =
        addItem(PopupMenu, QStringLiteral("CBauthor"), QStringLiteral("Včet&ně jmen autorů"), true);
    CBauto = addItem(PopupMenu, QStringLiteral("CBauto"),
                     QStringLiteral("&Automaticky do schránky"), true);
    CBformated = addItem(PopupMenu, QStringLiteral("CBformated"),
                         QStringLiteral("&Formátovaný výstup"), true);
    BtnFormat1 =
        addItem(PopupMenu, QStringLiteral("BtnFormat1"), QStringLiteral("&Základní font"), false);
    PopupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    BtnDICgenerate = addItem(PopupMenu, QStringLiteral("BtnDICgenerate"),
                             QStringLiteral("&Uživatelský slovník MS Office"), false);
    BtnEdit = addItem(PopupMenu, QStringLiteral("BtnEdit"), QStringLiteral("&Editace dat"), false);
    PopupMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    StandardForm =
        addItem(PopupMenu, QStringLiteral("StandardForm"), QStringLiteral("&Obnova okna"), false);

    // A triggered item has flipped its own tick already; the handler acts on the new state.
    connect(CBauthor, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { CBauthorClick(); }); });
    connect(CBauto, &QAction::triggered, this, &TFormNardel::CBautoClick);
    connect(CBformated, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { CBformatedClick(); }); });
    connect(BtnFormat1, &QAction::triggered, this,
            [this] { MessageBox::runAction(this, [this] { BtnFormat1Click(); }); });
    connect(StandardForm, &QAction::triggered, this, &TFormNardel::StandardFormClick);
    connect(PopupMenu, &QMenu::aboutToShow, this, &TFormNardel::PopupMenuPopup);
    connect(BtnMenu, &QPushButton::clicked, this, &TFormNardel::BtnMenuClick);
}

void TFormNardel::BtnMenuClick() {
    // The menu opens over the button, at its top-left corner.
    PopupMenu->popup(BtnMenu->mapToGlobal(QPoint(0, 0)));
}

void TFormNardel::PopupMenuPopup() {
    BtnFormat1->setEnabled(RichOut != nullptr);
}

void TFormNardel::StandardFormClick() {
    const double dotsPerInch = WindowPlace::dotsPerInch(this);
    setWindowState(Qt::WindowNoState);
    WindowPlace::setOuterWidth(this, WindowPlace::scaled(472, dotsPerInch));
    WindowPlace::setOuterHeight(this, WindowPlace::scaled(128, dotsPerInch));
    move(10, y());
    move(x(), 10);
}

void TFormNardel::restoreSettings() {
    FormInfo->RestoreWindowPlace(SettingNames::mainWindowPrefix, this);
    qint32 storedLevel;
    if (FormInfo->ReadSettingInt(SettingNames::level, storedLevel)) {
        Level = storedLevel;
        if (storedLevel == 1)
            RBspecies->setChecked(true);
        else if (storedLevel == 2)
            RBsubsp->setChecked(true);
        else {
            RBgenus->setChecked(true);
            Level = 0;
        }
    }
    bool flag;
    if (FormInfo->ReadSettingBool(SettingNames::addAuthor, flag))
        CBauthor->setChecked(flag);
    if (FormInfo->ReadSettingBool(SettingNames::autoClipboard, flag)) {
        CBauto->setChecked(flag);
        BtnInsert->setVisible(!flag);
    }
    if (FormInfo->ReadSettingBool(SettingNames::formatted, flag) && flag)
        CBformated->trigger();
}

void TFormNardel::FormClose() {
    if (!FormInfo)
        return;
    // A store that refuses the writes (a key that this user may only read) costs the user
    // the options of this run, never the window's closing.
    try {
        FormInfo->SaveWindowPlace(SettingNames::mainWindowPrefix, this);
        FormInfo->WriteSettingInt(SettingNames::level, Level);
        FormInfo->WriteSettingBool(SettingNames::addAuthor, CBauthor->isChecked());
        FormInfo->WriteSettingBool(SettingNames::autoClipboard, CBauto->isChecked());
        FormInfo->WriteSettingBool(SettingNames::formatted, CBformated->isChecked());
    } catch (const std::exception& failure) {
        MessageBox::show(this, MessageBox::Kind::Warning, QCoreApplication::applicationName(),
                         QStringLiteral("The options and the window place were not saved.\n") +
                             QString::fromUtf8(failure.what()));
    }
}

void TFormNardel::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}
