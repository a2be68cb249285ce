// Copying the name from the main window: plain, or formatted with the name words italic and
// the authors upright; the three options that shape the copy and the base font.
#include "picker/FNardel.h"

#include "picker/FormattedName.h"
#include "platform/Clipboard.h"
#include "shell/FInfo.h"
#include "shell/SettingNames.h"

#include <QAction>
#include <QFontDialog>
#include <QPushButton>

namespace {

const QColor copiedColour(0, 128, 0);
// Word processors take sizes up to 1638 points in their RTF.
const int largestFontSize = 1638;

} // namespace

void TFormNardel::BtnInsertClick(QObject* /*Sender*/) {
    if (RichOut)
        CopyFormatted();
    else
        Clipboard::setPlainText(ComposeName(Level));
    setStatusColour(copiedColour);
}

void TFormNardel::CopyFormatted() {
    RichOut->copy(composeFormattedName(Level, nameInput()));
}

void TFormNardel::CreateRichOut() {
    RichOut = std::make_unique<RichOutput>(font(), palette().color(QPalette::WindowText));
}

void TFormNardel::LoadOutputFont() {
    if (!FormInfo)
        return;
    QString face;
    // An empty stored face keeps the window's.
    if (FormInfo->ReadSettingStr(SettingNames::fontName, face) && !face.isEmpty())
        RichOut->baseFormat().setFace(face);
    qint32 size;
    if (FormInfo->ReadSettingInt(SettingNames::fontSize, size) && size > 0 &&
        size <= largestFontSize)
        RichOut->baseFormat().pointSize = size;
}

void TFormNardel::BtnFormat1Click() {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, FontDlgFont, this);
    if (!chosen)
        return;
    FontDlgFont = font;
    // The dialog offers no colour: the text keeps the colour it has.
    RichOut->baseFormat() = BaseFormat::fromFont(font, RichOut->baseFormat().colour);
    if (!FormInfo)
        return;
    FormInfo->WriteSettingStr(SettingNames::fontName, RichOut->baseFormat().face);
    FormInfo->WriteSettingInt(SettingNames::fontSize, RichOut->baseFormat().pointSize);
}

void TFormNardel::CBauthorClick() {
    NameChanged(Level, CBauthor);
}

void TFormNardel::CBautoClick() {
    BtnInsert->setVisible(!CBauto->isChecked());
}

void TFormNardel::CBformatedClick() {
    if (CBformated->isChecked()) {
        CreateRichOut();
        LoadOutputFont();
    } else {
        RichOut.reset();
    }
    BtnFormat1->setEnabled(RichOut != nullptr);
}
