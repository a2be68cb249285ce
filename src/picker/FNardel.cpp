#include "picker/FNardel.h"

#include "check/FTextCheck.h"
#include "picker/ButtonPictures.h"
#include "picker/NameText.h"
#include "picker/RichOutput.h"
#include "picker/SmartLookup.h"
#include "picker/StatusLine.h"
#include "platform/DisplayPlatform.h"
#include "platform/MessageBox.h"
#include "platform/WindowPlace.h"
#include "shell/FInfo.h"
#include "store/NameSource.h"
#include "store/TablePairWatch.h"
#include "store/TablePath.h"
#include "store/TableSchema.h"
#include "tools/DictionaryExport.h"
#include "tools/EditableCopy.h"
#include "tools/FSyns.h"
#include "ui_FNardel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <array>

namespace {

const char* const sourceMissingText =
    QT_TRANSLATE_NOOP("FNardel", "Data source for Nardel is not available");

// Shows a list's count, or none. A screen reader reads a label by its name, which says what
// the label counts, as its description does, and how many: "Počet rodů: 117".
void showCount(QLabel* label, const QString& count) {
    label->setText(count);
    label->setAccessibleName(count.isEmpty()
                                 ? QString()
                                 : label->accessibleDescription() + QStringLiteral(": ") + count);
}

} // namespace

TFormNardel::~TFormNardel() = default;

TFormNardel::TFormNardel(const QString& tableFolder, Clipboard& clipboard, SettingsStore& settings,
                         const QStringList& foldersSearched, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::TFormNardel>()), m_programFolder(tableFolder),
      m_foldersSearched(foldersSearched), m_clipboard(clipboard), m_settings(settings) {
    m_ui->setupUi(this);
    m_designedSize = size();
    // The designed place on the screen; the layout file gives a window its size only. On a
    // screen too small for it, as a large one scaled up is, the window moves in to show whole.
    move(194, 113);
    WindowPlace::setOuterPlace(this, WindowPlace::outerPlace(this));
    FontDlgFont = font();
    setUpControls();
    setUpTableWatch();
    FormCreate();
}

void TFormNardel::setUpControls() {
    m_statusLine = std::make_unique<StatusLine>(m_ui->StatusBar);
    setUpOptionsMenu();
    setUpClipboardWatch();
    setUpTools();

    // A pick by the user raises `activated`; a selection set by program raises nothing.
    const auto onPick = [this](QComboBox* list, void (TFormNardel::*handler)(QObject*)) {
        connect(list, &QComboBox::activated, this, [this, list, handler] {
            MessageBox::runAction(this, [this, list, handler] { (this->*handler)(list); });
        });
    };
    onPick(m_ui->CBgenus, &TFormNardel::CBgenusChange);
    onPick(m_ui->CBspecies, &TFormNardel::CBspeciesChange);
    onPick(m_ui->CBsubsp, &TFormNardel::CBsubspChange);
    connect(m_ui->RBgenus, &QRadioButton::toggled, this, [this] { RBgenusClick(m_ui->RBgenus); });
    connect(m_ui->RBspecies, &QRadioButton::toggled, this,
            [this] { RBspeciesClick(m_ui->RBspecies); });
    connect(m_ui->RBsubsp, &QRadioButton::toggled, this, [this] { RBsubspClick(m_ui->RBsubsp); });
    connect(m_ui->SpeedButton1, &QToolButton::clicked, this, &TFormNardel::SpeedButton1Click);
    connect(m_ui->BtnInsert, &QPushButton::clicked, this,
            [this] { MessageBox::runAction(this, [this] { BtnInsertClick(m_ui->BtnInsert); }); });
}

// The pictures are looked up in the desktop's icon theme, which can take long, or drawn.
void TFormNardel::setButtonPictures() {
    m_ui->BtnInsert->setIcon(ButtonPictures::copy());
    m_ui->SpeedButton1->setIcon(ButtonPictures::info());
    m_ui->BtnFind->setIcon(ButtonPictures::find());
    m_ui->BtnSyn->setIcon(ButtonPictures::synonyms());
}

void TFormNardel::newConnection() {
    const std::unique_ptr<NameSource> old = m_lists.reconnect();
    // The synonym window searches on the connection.
    if (FormSyns)
        FormSyns->useSource(m_lists.source());
    m_smartLookup.reset();
}

void TFormNardel::FormCreate() {
    MessageBox::runAction(this, [this] {
        OpenNameSource(tablePathIn(m_programFolder, TableSchema::names().tableFile));
    });
    // Without its names the window stays usable and says why its lists are empty.
    if (!m_lists.opened())
        m_statusLine->showName(tr(sourceMissingText));
    m_ui->BtnEdit->setVisible(true);
}

void TFormNardel::OpenNameSource(const QString& tablePath) {
    if (!QFileInfo::exists(tablePath)) {
        MessageBox::show(this, MessageBox::Kind::Error, QStringLiteral("Error"),
                         missingSourceMessage(tablePath, m_foldersSearched));
        return;
    }
    m_tableWatch->watch(folderOf(tablePath));
    m_lists.open(tablePath);
    m_ui->LblPage->setFullText(m_lists.citation());
}

bool TFormNardel::event(QEvent* event) {
    // Coming back to the window, the user may have imported new tables meanwhile.
    if (event->type() == QEvent::WindowActivate)
        MessageBox::runAction(this, [this] { Activated ? takeNewTables() : FormActivate(); });
    else if (event->type() == QEvent::WindowDeactivate)
        FormDeactivate();
    return QWidget::event(event);
}

void TFormNardel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Without a window manager the window may never become active; the first activation
    // still runs once the window is on the screen.
    if (!Activated)
        QTimer::singleShot(0, this,
                           [this] { MessageBox::runAction(this, [this] { FormActivate(); }); });
}

void TFormNardel::FormActivate() {
    if (Activated)
        return;
    // Set first: the steps run once, even when one of them fails.
    Activated = true;
    // A call posted now runs once the info window is shown, before anything can close it and
    // before the main window is first drawn: what waits for it does not keep the info window
    // from the screen. The genus list is read on a connection and a thread of its own while the
    // user reads the info window, for the first fill; begun then, the read takes the other core
    // from neither the X server nor the building of the windows before both are on the screen.
    // The buttons get their pictures meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_lists.opened())
                m_lists.readGenusAhead();
            setButtonPictures();
        },
        Qt::QueuedConnection);
    QCoreApplication::setApplicationName(QStringLiteral("Nardel Pro"));
    setWindowTitle(QCoreApplication::applicationName());
    infoWindow().exec();
    restoreSettings();
    if (!m_lists.opened())
        return;
    FillGenusList();
    // From now on the watch also starts when another program becomes active.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    FormDeactivate();
            });
    LastClipText.clear();
    if (runsOnWayland())
        m_statusLine->showName(tr("Na Waylandu nelze sledovat schránku"));
}

void TFormNardel::SpeedButton1Click() {
    FormClick();
    infoWindow().exec();
}

TFormInfo& TFormNardel::infoWindow() {
    if (!FormInfo) {
        FormInfo = std::make_unique<TFormInfo>(m_settings, VersionRecord::program(), this);
        // Filled from a call posted now, which runs once the window is shown and before it is
        // first drawn: the window does not wait for its texts and panel to appear.
        QMetaObject::invokeMethod(
            FormInfo.get(),
            [info = FormInfo.get()] {
                info->FillInfo(QString(), QString(), QStringLiteral("Professional"), QString());
            },
            Qt::QueuedConnection);
    }
    return *FormInfo;
}

NameComboBox* TFormNardel::listOf(PickerLists::Level level) const {
    return std::array{m_ui->CBgenus, m_ui->CBspecies, m_ui->CBsubsp}[level];
}

void TFormNardel::showList(PickerLists::Level level) {
    const std::optional<qsizetype> count = m_lists.count(level);
    showCount(std::array{m_ui->LblGenus, m_ui->LblSpecies, m_ui->LblSubsp}[level],
              count ? QString::number(*count) : QString());
    NameComboBox* const list = listOf(level);
    const Utf8List& texts = m_lists.entries(level).texts;
    // A short list that already holds these entries, none chosen, is left as it is.
    if (texts.size() <= 1 && list->currentIndex() < 0 && list->entries() == texts)
        return;
    list->setEntries(texts);
}

void TFormNardel::FillGenusList() {
    {
        const auto shown = qScopeGuard([this] { showList(PickerLists::Genus); });
        m_lists.fillGenus();
    }
    FillSpeciesList();
}

void TFormNardel::FillSpeciesList() {
    const auto shown = qScopeGuard([this] {
        showList(PickerLists::Subsp);
        showList(PickerLists::Species);
    });
    m_lists.fillSpecies(m_ui->CBgenus->currentText());
}

void TFormNardel::FillSubspList() {
    const auto shown = qScopeGuard([this] { showList(PickerLists::Subsp); });
    m_lists.fillSubsp(m_ui->CBgenus->currentText(), m_ui->CBspecies->currentText());
}

void TFormNardel::CBgenusChange(QObject* Sender) {
    if (Level > 0)
        FillSpeciesList();
    NameChanged(0, Sender);
}

void TFormNardel::CBspeciesChange(QObject* Sender) {
    if (Level > 1)
        FillSubspList();
    NameChanged(1, Sender);
}

void TFormNardel::CBsubspChange(QObject* Sender) {
    NameChanged(2, Sender);
}

void TFormNardel::NameChanged(int level, QObject* Sender) {
    m_statusLine->showName(ComposeName(level));
    if (m_ui->CBauto->isChecked())
        BtnInsertClick(Sender);
    else
        m_statusLine->setCopied(false);
}

void TFormNardel::RBgenusClick(QObject* /*Sender*/) {
    if (m_ui->RBgenus->isChecked())
        Level = 0;
}

void TFormNardel::RBspeciesClick(QObject* /*Sender*/) {
    if (m_ui->RBspecies->isChecked())
        Level = 1;
}

void TFormNardel::RBsubspClick(QObject* /*Sender*/) {
    if (m_ui->RBsubsp->isChecked())
        Level = 2;
}

NameTextInput TFormNardel::nameInput() const {
    return {m_ui->CBgenus->currentText(),
            m_ui->CBgenus->currentIndex(),
            m_ui->CBspecies->currentText(),
            m_ui->CBspecies->currentIndex(),
            m_ui->CBsubsp->currentText(),
            m_ui->CBsubsp->currentIndex(),
            m_ui->CBauthor->isChecked(),
            m_lists.entries(PickerLists::Genus).pages,
            m_lists.entries(PickerLists::Species).pages,
            m_lists.entries(PickerLists::Subsp).pages,
            m_lists.entries(PickerLists::Species).authors.value(m_ui->CBspecies->currentIndex()),
            m_lists.entries(PickerLists::Subsp).authors.value(m_ui->CBsubsp->currentIndex()),
            m_lists.citation(),
            m_lists.citesPages()};
}

QString TFormNardel::ComposeName(int level) {
    const NameText text = composeNameText(level, nameInput());
    m_ui->LblPage->setFullText(text.pageLabel);
    return text.name;
}

QColor TFormNardel::statusColour() const {
    return m_statusLine->colour();
}

QString TFormNardel::statusText() const {
    return m_statusLine->name();
}
