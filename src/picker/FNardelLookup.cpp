// The main window's clipboard watch: a name copied in another program is selected in the
// lists within a tick of the timer; and the selection of a name given in full.
#include "picker/FNardel.h"

#include "picker/ClipboardName.h"
#include "picker/NameComboBox.h"
#include "picker/SmartLookup.h"
#include "picker/StatusLine.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardText.h"
#include "ui_FNardel.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QTimer>

void TFormNardel::setUpClipboardWatch() {
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TFormNardel::Timer1Timer);
    Timer1->start();
    // Clicks on the background and the count labels, and the focus entering the lists, level
    // buttons and buttons, tell that the user works in the window: the watch stops. The same
    // filter sees every key of the window first.
    QWidget* const controls[] = {
        m_ui->LblGenus, m_ui->LblSpecies, m_ui->LblSubsp,  m_ui->CBgenus, m_ui->CBspecies,
        m_ui->CBsubsp,  m_ui->RBgenus,    m_ui->RBspecies, m_ui->RBsubsp, m_ui->BtnInsert,
        m_ui->BtnFind,  m_ui->BtnSyn,     m_ui->BtnMenu,   this};
    for (QWidget* control : controls)
        control->installEventFilter(this);
    // An open list's popup takes the keys in the list's place: the filter sees them there too.
    for (NameComboBox* list : {m_ui->CBgenus, m_ui->CBspecies, m_ui->CBsubsp})
        list->setPopupFilter(this);
}

bool TFormNardel::watchingClipboard() const {
    return Timer1->isActive();
}

void TFormNardel::Timer1Timer() {
    BtnFindClick(Timer1);
}

void TFormNardel::FormDeactivate() {
    Timer1->start();
}

void TFormNardel::FormClick() {
    Timer1->stop();
}

void TFormNardel::mousePressEvent(QMouseEvent* event) {
    FormClick();
    QWidget::mousePressEvent(event);
}

void TFormNardel::BtnFindClick(QObject* Sender) {
    // The program's own copies, plain and formatted, are never looked up: a formatted copy
    // found again would reset the subspecies it names.
    if (m_clipboard.isOwnContent())
        return;
    // The watch says nothing of what fails: the next tick tries again.
    try {
        // No text (a picture, an empty clipboard) reads as an empty one. A clipboard manager
        // offers the program's own copy again without its marker: still no name to look up.
        const QString text = m_clipboard.text();
        if (text.isEmpty() || m_clipboard.isLastCopy(text))
            return;
        if (Sender == Timer1 && trimmedClipboardText(text) == trimmedClipboardText(LastClipText))
            return;
        // The clipboard's own string, shared rather than copied: a text of megabytes costs
        // one comparison a tick.
        LastClipText = text;
        if (m_ui->CBsmart->isChecked())
            FindNameSmartly(LastClipText);
        else
            FindClipboardName(LastClipText);
    } catch (const std::exception&) {
    }
}

void TFormNardel::FindClipboardName(const QString& text) {
    const ClipboardName::Words words = ClipboardName::words(trimmedClipboardText(text));
    if (words.genus.isEmpty())
        return;
    const qsizetype genus = ClipboardName::firstAtOrAfter(m_ui->CBgenus->entries(), words.genus);
    if (genus >= 0)
        selectEntry(m_ui->CBgenus, genus, &TFormNardel::CBgenusChange);
    if (!words.hasSpecies || words.species.isEmpty())
        return;
    // The species list as it stands: at the genus level it was not refilled for the genus.
    const qsizetype species =
        ClipboardName::firstAtOrAfter(m_ui->CBspecies->entries(), words.species);
    if (species >= 0)
        selectEntry(m_ui->CBspecies, species, &TFormNardel::CBspeciesChange);
}

void TFormNardel::FindNameSmartly(const QString& text) {
    if (!m_lists.opened())
        return;
    if (!m_smartLookup)
        m_smartLookup = std::make_unique<SmartLookup>(m_lists.source());
    const std::optional<SmartLookup::Match> match =
        m_smartLookup->find(trimmedClipboardText(text).toString(), m_ui->CBgenus->currentText());
    if (!match)
        return;
    if (match->genus.isEmpty()) {
        m_statusLine->showName(tr("nenalezeno"));
        return;
    }
    // As deep as the output level fills the lists.
    SelectName(std::min(match->level, Level), match->genus, match->species, match->subsp);
    if (!match->synonym.isEmpty())
        m_statusLine->showName(SmartLookup::described(*match));
}

void TFormNardel::SelectName(int level, const QString& genus, const QString& species,
                             const QString& subsp) {
    const auto select = [this](NameComboBox* list, const QString& text,
                               void (TFormNardel::*handler)(QObject*)) {
        selectEntry(list, ClipboardName::indexIgnoringCase(list->entries(), text), handler);
    };
    select(m_ui->CBgenus, genus, &TFormNardel::CBgenusChange);
    if (level >= 1)
        select(m_ui->CBspecies, species, &TFormNardel::CBspeciesChange);
    if (level >= 2)
        select(m_ui->CBsubsp, subsp, &TFormNardel::CBsubspChange);
}

void TFormNardel::selectEntry(QComboBox* list, qsizetype index,
                              void (TFormNardel::*handler)(QObject*)) {
    list->setCurrentIndex(int(index));
    (this->*handler)(list);
}
