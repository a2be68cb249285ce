#include "picker/FNardel.h"

#include "picker/ButtonPictures.h"
#include "picker/NameText.h"
#include "picker/RichOutput.h"
#include "picker/SmartLookup.h"
#include "picker/StatusLine.h"
#include "platform/DisplayPlatform.h"
#include "platform/MessageBox.h"
#include "platform/WindowPlace.h"
#include "shell/FInfo.h"
#include "store/ListQueries.h"
#include "store/ListReadAhead.h"
#include "store/NameList.h"
#include "store/NameSource.h"
#include "store/Query.h"
#include "store/TableAbout.h"
#include "store/TablePairWatch.h"
#include "store/TablePassword.h"
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
#include <QStatusBar>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>

namespace {

namespace Column = TableSchema::NameColumn;

const char* const sourceMissingText =
    QT_TRANSLATE_NOOP("FNardel", "Data source for Nardel is not available");

void setUpList(QComboBox* list) {
    list->setModel(new QStringListModel(list));
}

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
    newConnection();
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
    for (QComboBox* list : {m_ui->CBgenus, m_ui->CBspecies, m_ui->CBsubsp})
        setUpList(list);
    m_ui->BtnInsert->setIcon(ButtonPictures::copy());
    m_ui->SpeedButton1->setIcon(ButtonPictures::info());
    m_ui->BtnFind->setIcon(ButtonPictures::find());
    m_ui->BtnSyn->setIcon(ButtonPictures::synonyms());
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

void TFormNardel::newConnection() {
    auto source = std::make_unique<NameSource>();
    // The synonym window searches on the connection.
    if (FormSyns)
        FormSyns->useSource(*source);
    m_smartLookup.reset();
    m_genusAhead.reset();
    QueryGenus.reset();
    QuerySpecies.reset();
    QuerySubsp.reset();
    DatabaseSp = std::move(source);
    QueryGenus = std::make_unique<Query>(*DatabaseSp);
    QuerySpecies = std::make_unique<Query>(*DatabaseSp);
    QuerySubsp = std::make_unique<Query>(*DatabaseSp);
}

void TFormNardel::FormCreate() {
    MessageBox::runAction(this, [this] {
        OpenNameSource(tablePathIn(m_programFolder, TableSchema::names().tableFile));
    });
    // Without its names the window stays usable and says why its lists are empty.
    if (!m_sourceOpen)
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
    DatabaseSp->setParam(QStringLiteral("PATH"), folderOf(tablePath));
    TableName = fileNameOf(tablePath);
    DatabaseSp->connect();
    DatabaseSp->addPassword(TablePassword::programPassword);

    // A table that lacks a field that a list shows fails here, at the start.
    const auto build = [](Query& query, const QStringList& lines, const QStringList& shown) {
        query.clearSql();
        for (const QString& line : lines)
            query.addSqlLine(line);
        for (const QString& field : shown)
            query.columnOf(field);
    };
    build(*QueryGenus, genusQueryLines(), {Column::genus, Column::page});
    build(*QuerySpecies, speciesQueryLines(), {Column::species, Column::author0, Column::page});
    QuerySpecies->defineParam(QStringLiteral("genus"), Query::ParamType::Text);
    build(*QuerySubsp, subspQueryLines(), {Column::subsp, Column::author1, Column::page});
    QuerySubsp->defineParam(QStringLiteral("genus"), Query::ParamType::Text);
    QuerySubsp->defineParam(QStringLiteral("species"), Query::ParamType::Text);

    // An imported checklist names itself and tells whether its rows cite pages; the bundled
    // list and tables of the tab-separated import keep the bundled citation.
    const QHash<QString, QString> facts = DatabaseSp->about(TableName);
    const QString citation = facts.value(TableAbout::citation);
    Citation = citation.isEmpty() ? QStringLiteral("Valmor (2002)") : citation;
    CitesPages = facts.value(TableAbout::pages) != TableAbout::noPages;
    m_ui->LblPage->setFullText(Citation);
    m_sourceOpen = true;
}

void TFormNardel::readGenusListAhead() {
    m_genusAhead = std::make_shared<ListReadAhead>(
        ListReadAhead::Request{DatabaseSp->param(QStringLiteral("PATH")),
                               {TablePassword::programPassword},
                               genusQueryLines(),
                               Column::genus,
                               Column::page});
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
    // The genus list is read on a connection and a thread of its own while the info window is
    // built and read, for the first fill. Begun here, once the main window is shown, the read
    // does not take the other core from the X server while that window is shown.
    if (m_sourceOpen)
        readGenusListAhead();
    QCoreApplication::setApplicationName(QStringLiteral("Nardel Pro"));
    setWindowTitle(QCoreApplication::applicationName());
    infoWindow().exec();
    restoreSettings();
    if (!m_sourceOpen)
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
        FormInfo->FillInfo(QString(), QString(), QStringLiteral("Professional"), QString());
    }
    return *FormInfo;
}

void TFormNardel::setEntries(QComboBox* list, const QStringList& texts) {
    auto* const model = static_cast<QStringListModel*>(list->model());
    // A short list that already holds these entries, none chosen, is left as it is.
    if (texts.size() <= 1 && list->currentIndex() < 0 && model->stringList() == texts)
        return;
    model->setStringList(texts);
    list->setCurrentIndex(-1);
}

void TFormNardel::showList(QComboBox* list, NameList entries, Utf8List& authors,
                           QList<int>& pages) {
    setEntries(list, entries.texts);
    authors = std::move(entries.authors);
    pages = std::move(entries.pages);
}

void TFormNardel::fillList(QComboBox* list, QLabel* countLabel, const NameList& start,
                           Utf8List& authors, QList<int>& pages,
                           const std::function<void(NameList&)>& read) {
    NameList entries = start;
    if (read) {
        try {
            read(entries);
        } catch (...) {
            // A fill that fails leaves the list as it starts, not half read, and no count.
            showCount(countLabel, QString());
            showList(list, start, authors, pages);
            throw;
        }
        showCount(countLabel, QString::number(entries.texts.size() - start.texts.size()));
    } else {
        showCount(countLabel, QString());
    }
    showList(list, std::move(entries), authors, pages);
}

std::function<void(NameList&)> TFormNardel::rowsOf(Query* query, const QString& textField,
                                                   const QString& authorField) {
    if (!query)
        return {};
    return [this, query, textField, authorField](NameList& entries) {
        appendRows(*query, textField, authorField, Column::page, entries);
    };
}

void TFormNardel::FillGenusList() {
    Utf8List noAuthors;
    std::function<void(NameList&)> read = rowsOf(QueryGenus.get(), Column::genus, QString());
    // The first fill takes the list read while the info window was shown.
    if (const std::shared_ptr<ListReadAhead> ahead = std::move(m_genusAhead))
        read = [ahead](NameList& entries) { entries = ahead->take(); };
    fillList(m_ui->CBgenus, m_ui->LblGenus, NameList(), noAuthors, GenusPages, read);
    FillSpeciesList();
}

void TFormNardel::FillSpeciesList() {
    // The subspecies follow the species: none until a species is chosen.
    fillList(m_ui->CBsubsp, m_ui->LblSubsp, NameList::withBlankEntry(), SubspAuthors, SubspPages,
             {});
    const QString genus = m_ui->CBgenus->currentText();
    if (!genus.isEmpty())
        QuerySpecies->setParam(QStringLiteral("genus"), genus);
    fillList(
        m_ui->CBspecies, m_ui->LblSpecies, NameList::withBlankEntry(), SpeciesAuthors, SpeciesPages,
        rowsOf(genus.isEmpty() ? nullptr : QuerySpecies.get(), Column::species, Column::author0));
}

void TFormNardel::FillSubspList() {
    const QString species = m_ui->CBspecies->currentText();
    if (!species.isEmpty()) {
        QuerySubsp->setParam(QStringLiteral("genus"), m_ui->CBgenus->currentText());
        QuerySubsp->setParam(QStringLiteral("species"), species);
    }
    fillList(
        m_ui->CBsubsp, m_ui->LblSubsp, NameList::withBlankEntry(), SubspAuthors, SubspPages,
        rowsOf(species.isEmpty() ? nullptr : QuerySubsp.get(), Column::subsp, Column::author1));
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
            GenusPages,
            SpeciesPages,
            SubspPages,
            SpeciesAuthors.value(m_ui->CBspecies->currentIndex()),
            SubspAuthors.value(m_ui->CBsubsp->currentIndex()),
            Citation,
            CitesPages};
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
