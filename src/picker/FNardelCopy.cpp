// Copying the name from the main window: plain, or formatted with the name words italic and
// the authors upright; the three options that shape the copy and the base font.
#include "picker/FNardel.h"

#include "ui_FNardel.h"

#include "picker/FormattedName.h"
#include "picker/RichOutput.h"
#include "picker/StatusLine.h"
#include "platform/Clipboard.h"
#include "shell/SettingNames.h"
#include "shell/SettingsStore.h"

#include <QAction>
#include <QFontDialog>
#include <QPushButton>

namespace {

// Word processors take sizes up to 1638 points in their RTF.
const int largestFontSize = 1638;

} // namespace

void TFormNardel::BtnInsertClick(QObject* /*Sender*/) {
    // Without a genus there is no name: the clipboard keeps what the user had there.
    if (m_ui->CBgenus->currentText().isEmpty())
        return;
    if (RichOut)
        CopyFormatted();
    else
        m_clipboard.setPlainText(ComposeName(Level));
    m_statusLine->setCopied(true);
}

void TFormNardel::CopyFormatted() {
    RichOut->copy(composeFormattedName(Level, nameInput()));
}

void TFormNardel::CreateRichOut() {
    RichOut =
        std::make_unique<RichOutput>(m_clipboard, font(), palette().color(QPalette::WindowText));
}

void TFormNardel::LoadOutputFont() {
    QString face;
    // A stored face is the user's choice; without one the paste takes the paragraph's font.
    if (m_settings.readString(SettingNames::fontName, face) && !face.isEmpty()) {
        RichOut->baseFormat().setFace(face);
        RichOut->baseFormat().chosen = true;
    }
    qint32 size;
    if (m_settings.readInt(SettingNames::fontSize, size) && size > 0 && size <= largestFontSize)
        RichOut->baseFormat().pointSize = size;
}

void TFormNardel::BtnFormat1Click() {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, FontDlgFont, this, QString(),
                                            // Qt's own dialog speaks the program's Czech.
                                            QFontDialog::DontUseNativeDialog);
    if (!chosen)
        return;
    FontDlgFont = font;
    // The dialog offers no colour: the text keeps the colour it has.
    RichOut->baseFormat() = BaseFormat::fromFont(font, RichOut->baseFormat().colour);
    RichOut->baseFormat().chosen = true;
    m_settings.writeString(SettingNames::fontName, RichOut->baseFormat().face);
    m_settings.writeInt(SettingNames::fontSize, RichOut->baseFormat().pointSize);
}

void TFormNardel::CBauthorClick() {
    NameChanged(Level, m_ui->CBauthor);
}

void TFormNardel::CBautoClick() {
    m_ui->BtnInsert->setVisible(!m_ui->CBauto->isChecked());
}

void TFormNardel::CBformatedClick() {
    if (m_ui->CBformated->isChecked()) {
        CreateRichOut();
        LoadOutputFont();
    } else {
        RichOut.reset();
    }
    m_ui->BtnFormat1->setEnabled(RichOut != nullptr);
}
