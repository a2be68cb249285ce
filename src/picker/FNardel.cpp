#include "picker/FNardel.h"

#include "picker/NameText.h"
#include "platform/MessageBox.h"
#include "shell/FInfo.h"
#include "store/ListQueries.h"
#include "store/NameList.h"
#include "store/TablePassword.h"
#include "store/TablePath.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringListModel>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

const QString sourceMissingText = QStringLiteral("Data source for Nardel is not available");

// A hint that pops up as a tooltip when `shown`; a screen reader reads it either way.
void setHint(QWidget* control, const QString& hint, bool shown) {
    control->setAccessibleDescription(hint);
    if (shown)
        control->setToolTip(hint);
}

QComboBox* createList(QWidget* parent, const QString& name, const QRect& place) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(place);
    list->setModel(new QStringListModel(list));
    // Long lists (thousands of species in a genus) open fast with rows of one height.
    static_cast<QListView*>(list->view())->setUniformItemSizes(true);
    list->setMaxVisibleItems(20);
    return list;
}

// A screen reader reads a label's text as its name and what it counts as its description.
QLabel* createCountLabel(QWidget* parent, const QString& name, const QRect& place,
                         const QString& description) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setAccessibleDescription(description);
    return label;
}

template <class Button>
Button* createButton(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& place) {
    auto* button = new Button(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setGeometry(place);
    return button;
}

} // namespace

TFormNardel::~TFormNardel() = default;

TFormNardel::TFormNardel(const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_programFolder(programFolder) {
    setObjectName(QStringLiteral("FormNardel"));
    setWindowTitle(QStringLiteral("Nardel"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    FontDlgFont = font();
    setFixedSize(464, 101);
    move(194, 113);
    createControls();
    FormCreate();
}

void TFormNardel::createControls() {
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setGeometry(0, 82, 464, 19);
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setAutoFillBackground(true);
    StatusBar->setAccessibleName(QStringLiteral("Stavový řádek"));
    statusPanel = new QLabel(StatusBar);
    statusPanel->setAccessibleDescription(QStringLiteral("Jméno"));
    StatusBar->addWidget(statusPanel, 1);

    CBgenus = createList(this, QStringLiteral("CBgenus"), {8, 24, 145, 21});
    CBgenus->setAccessibleName(QStringLiteral("Rod"));
    setHint(CBgenus, QStringLiteral("Focus [Ctrl-G]"), true);
    CBspecies = createList(this, QStringLiteral("CBspecies"), {160, 24, 145, 21});
    CBspecies->setAccessibleName(QStringLiteral("Druh"));
    setHint(CBspecies, QStringLiteral("Focus [Ctrl-S]"), true);
    CBsubsp = createList(this, QStringLiteral("CBsubsp"), {312, 24, 145, 21});
    CBsubsp->setAccessibleName(QStringLiteral("Poddruh"));
    setHint(CBsubsp, QStringLiteral("Focus [Ctrl-U]"), true);

    RBgenus = createButton<QRadioButton>(this, QStringLiteral("RBgenus"), QStringLiteral("Rod"),
                                         {8, 8, 65, 17});
    setHint(RBgenus, QStringLiteral("Set [Alt-G]"), false);
    RBspecies = createButton<QRadioButton>(this, QStringLiteral("RBspecies"),
                                           QStringLiteral("Druh"), {160, 8, 65, 17});
    setHint(RBspecies, QStringLiteral("Set [Alt-S]"), false);
    RBspecies->setChecked(true);
    RBsubsp = createButton<QRadioButton>(this, QStringLiteral("RBsubsp"), QStringLiteral("Poddruh"),
                                         {312, 8, 81, 17});
    setHint(RBsubsp, QStringLiteral("Set [Alt-U]"), false);

    BtnInsert = createButton<QPushButton>(this, QStringLiteral("BtnInsert"),
                                          QStringLiteral("Kopírovat"), {384, 56, 75, 25});
    BtnInsert->setIcon(QIcon::fromTheme(QStringLiteral("edit-copy"),
                                        style()->standardIcon(QStyle::SP_DialogSaveButton)));
    setHint(BtnInsert, QStringLiteral("Focus [Ctrl-I], Execute [Alt-I]"), true);

    SpeedButton1 =
        createButton<QToolButton>(this, QStringLiteral("SpeedButton1"), QString(), {8, 56, 25, 25});
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    SpeedButton1->setAccessibleName(QStringLiteral("O programu"));

    LblGenus = createCountLabel(this, QStringLiteral("LblGenus"), {104, 8, 45, 13},
                                QStringLiteral("Počet rodů"));
    LblSpecies = createCountLabel(this, QStringLiteral("LblSpecies"), {252, 8, 52, 13},
                                  QStringLiteral("Počet druhů"));
    LblSubsp = createCountLabel(this, QStringLiteral("LblSubsp"), {412, 8, 44, 13},
                                QStringLiteral("Počet poddruhů"));

    BtnFind = createButton<QPushButton>(this, QStringLiteral("BtnFind"), QStringLiteral("Najít"),
                                        {256, 56, 57, 25});
    BtnFind->setIcon(QIcon::fromTheme(QStringLiteral("edit-find"),
                                      style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    setHint(BtnFind, QStringLiteral("Focus [Ctrl-F], Execute [Alt-F]"), true);
    BtnFind->hide();

    BtnMenu = createButton<QPushButton>(this, QStringLiteral("BtnMenu"), QStringLiteral("Volby"),
                                        {40, 56, 49, 25});

    // The page label grows with its text, as far as the buttons on its right.
    LblPage = new QLabel(this);
    LblPage->setObjectName(QStringLiteral("LblPage"));
    LblPage->setGeometry(96, 64, 39, 13);
    LblPage->setMinimumWidth(39);
    LblPage->setMaximumWidth(384 - 96 - 4);
    LblPage->setAccessibleDescription(QStringLiteral("Stránka"));

    BtnSyn = createButton<QPushButton>(this, QStringLiteral("BtnSyn"), QStringLiteral("Syn."),
                                       {320, 56, 57, 25});
    BtnSyn->setIcon(QIcon::fromTheme(QStringLiteral("edit-find-replace"),
                                     style()->standardIcon(QStyle::SP_FileDialogDetailedView)));
    setHint(BtnSyn, QStringLiteral("Focus [Ctrl-N], Execute [Alt-N]"), false);

    createOptionsMenu();

    QWidget* const tabOrder[] = {CBgenus, CBspecies, CBsubsp, RBgenus,   RBspecies,
                                 RBsubsp, BtnFind,   BtnSyn,  BtnInsert, BtnMenu};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // A pick by the user raises `activated`; a selection set by program raises nothing.
    connect(CBgenus, &QComboBox::activated, this,
            [this] { MessageBox::runAction(this, [this] { CBgenusChange(CBgenus); }); });
    connect(CBspecies, &QComboBox::activated, this,
            [this] { MessageBox::runAction(this, [this] { CBspeciesChange(CBspecies); }); });
    connect(CBsubsp, &QComboBox::activated, this,
            [this] { MessageBox::runAction(this, [this] { CBsubspChange(CBsubsp); }); });
    connect(RBgenus, &QRadioButton::toggled, this, [this] { RBgenusClick(RBgenus); });
    connect(RBspecies, &QRadioButton::toggled, this, [this] { RBspeciesClick(RBspecies); });
    connect(RBsubsp, &QRadioButton::toggled, this, [this] { RBsubspClick(RBsubsp); });
    connect(SpeedButton1, &QToolButton::clicked, this, &TFormNardel::SpeedButton1Click);
    connect(BtnInsert, &QPushButton::clicked, this,
            [this] { MessageBox::runAction(this, [this] { BtnInsertClick(BtnInsert); }); });

    setStatusColour(palette().color(QPalette::Button));
}

void TFormNardel::FormCreate() {
    Activated = false;
    Level = 1;
    FieldGenus = QStringLiteral("GENUS");
    FieldSpecies = QStringLiteral("SPECIES");
    FieldSubsp = QStringLiteral("SUBSP");
    FieldAuthor0 = QStringLiteral("AUTOR0");
    FieldAuthor1 = QStringLiteral("AUTOR1");
    FieldPage = QStringLiteral("PAGE");
    Citation = QStringLiteral("Valmor (2002)");
    SpeciesAuthors.clear();
    SubspAuthors.clear();
    MessageBox::runAction(this, [this] {
        OpenNameSource(tablePathIn(m_programFolder, QStringLiteral("plantnames.db")));
    });
    // Without its names the window stays usable and says why its lists are empty.
    if (!sourceOpen)
        statusPanel->setText(sourceMissingText);
    BtnEdit->setVisible(true);
}

void TFormNardel::OpenNameSource(const QString& tablePath) {
    if (!QFileInfo::exists(tablePath)) {
        MessageBox::show(this, MessageBox::Kind::Error, QStringLiteral("Error"),
                         missingSourceMessage(tablePath));
        return;
    }
    DatabaseSp.setParam(QStringLiteral("PATH"), folderOf(tablePath));
    TableName = fileNameOf(tablePath);
    DatabaseSp.connect();
    DatabaseSp.addPassword(TablePassword::programPassword);

    const auto build = [](Query& query, const QStringList& lines) {
        query.clearSql();
        for (const QString& line : lines)
            query.addSqlLine(line);
    };
    build(QueryGenus, genusQueryLines(TableName, FieldGenus));
    QueryGenus.prepare();
    build(QuerySpecies, speciesQueryLines(TableName, FieldGenus, FieldSpecies));
    QuerySpecies.defineParam(QStringLiteral("genus"), Query::ParamType::Text);
    QuerySpecies.prepare();
    build(QuerySubsp, subspQueryLines(TableName, FieldGenus, FieldSpecies, FieldSubsp));
    QuerySubsp.defineParam(QStringLiteral("genus"), Query::ParamType::Text);
    QuerySubsp.defineParam(QStringLiteral("species"), Query::ParamType::Text);
    QuerySubsp.prepare();

    LblPage->setText(Citation);
    LblPage->adjustSize();
    sourceOpen = true;
}

bool TFormNardel::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        MessageBox::runAction(this, [this] { FormActivate(); });
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
    FormInfo = std::make_unique<TFormInfo>();
    QCoreApplication::setApplicationName(QStringLiteral("Nardel Pro"));
    setWindowTitle(QCoreApplication::applicationName());
    FormInfo->FillInfo(QString(), QString(), QStringLiteral("Professional"), QString());
    FormInfo->OpenSettingsKey(QStringLiteral("Nardel"));
    FormInfo->exec();
    restoreSettings();
    if (!sourceOpen)
        return;
    FillGenusList();
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    MessageBox::runAction(this, [this] { FormActivate(); });
            });
}

void TFormNardel::SpeedButton1Click() {
    if (FormInfo)
        FormInfo->exec();
}

void TFormNardel::setEntries(QComboBox* list, const QStringList& texts) {
    static_cast<QStringListModel*>(list->model())->setStringList(texts);
    list->setCurrentIndex(-1);
}

void TFormNardel::showList(QComboBox* list, const NameList& entries, QStringList& authors,
                           QList<int>& pages) {
    setEntries(list, entries.texts);
    authors = entries.authors;
    pages = entries.pages;
}

void TFormNardel::readList(Query& query, QLabel* countLabel, const QString& textField,
                           const QString& authorField, NameList& entries) {
    query.open();
    countLabel->setText(QString::number(query.recordCount()));
    appendRows(query, textField, authorField, FieldPage, entries);
    query.close();
}

void TFormNardel::FillGenusList() {
    setEntries(CBgenus, {});
    GenusPages.clear();
    NameList genera;
    readList(QueryGenus, LblGenus, FieldGenus, QString(), genera);
    setEntries(CBgenus, genera.texts);
    GenusPages = genera.pages;
    FillSpeciesList();
}

void TFormNardel::FillSpeciesList() {
    NameList species = NameList::withBlankEntry();
    showList(CBspecies, species, SpeciesAuthors, SpeciesPages);
    LblSpecies->clear();
    FillSubspList();
    const QString genus = CBgenus->currentText();
    if (genus.isEmpty())
        return;
    QuerySpecies.setParam(QStringLiteral("genus"), genus);
    readList(QuerySpecies, LblSpecies, FieldSpecies, FieldAuthor0, species);
    showList(CBspecies, species, SpeciesAuthors, SpeciesPages);
}

void TFormNardel::FillSubspList() {
    NameList subspecies = NameList::withBlankEntry();
    showList(CBsubsp, subspecies, SubspAuthors, SubspPages);
    LblSubsp->clear();
    const QString species = CBspecies->currentText();
    if (species.isEmpty())
        return;
    QuerySubsp.setParam(QStringLiteral("genus"), CBgenus->currentText());
    QuerySubsp.setParam(QStringLiteral("species"), species);
    readList(QuerySubsp, LblSubsp, FieldSubsp, FieldAuthor1, subspecies);
    showList(CBsubsp, subspecies, SubspAuthors, SubspPages);
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
    statusPanel->setText(ComposeName(level));
    if (CBauto->isChecked())
        BtnInsertClick(Sender);
    else
        setStatusColour(palette().color(QPalette::Button));
}

void TFormNardel::RBgenusClick(QObject* /*Sender*/) {
    if (RBgenus->isChecked())
        Level = 0;
}

void TFormNardel::RBspeciesClick(QObject* /*Sender*/) {
    if (RBspecies->isChecked())
        Level = 1;
}

void TFormNardel::RBsubspClick(QObject* /*Sender*/) {
    if (RBsubsp->isChecked())
        Level = 2;
}

NameTextInput TFormNardel::nameInput() const {
    return {CBgenus->currentText(),
            CBgenus->currentIndex(),
            CBspecies->currentText(),
            CBspecies->currentIndex(),
            CBsubsp->currentText(),
            CBsubsp->currentIndex(),
            CBauthor->isChecked(),
            GenusPages,
            SpeciesPages,
            SubspPages,
            SpeciesAuthors,
            SubspAuthors,
            Citation};
}

QString TFormNardel::ComposeName(int level) {
    const NameText text = composeNameText(level, nameInput());
    LblPage->setText(text.pageLabel);
    LblPage->adjustSize();
    return text.name;
}

void TFormNardel::setStatusColour(const QColor& colour) {
    QPalette palette = StatusBar->palette();
    palette.setColor(QPalette::Window, colour);
    StatusBar->setPalette(palette);
}

QColor TFormNardel::statusColour() const {
    return StatusBar->palette().color(QPalette::Window);
}

QString TFormNardel::statusText() const {
    return statusPanel->text();
}
