#include "tools/FSyns.h"

#include "platform/ClipboardText.h"
#include "platform/MessageBox.h"
#include "platform/WindowPlace.h"
#include "store/Query.h"
#include "store/SynonymQueries.h"
#include "store/TableSchema.h"
#include "tools/QueryRowsModel.h"
#include "tools/RecordIndicator.h"
#include "ui_FSyns.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <stdexcept>
#include <utility>

namespace {
namespace Synonym = TableSchema::SynonymColumn;
}

QPoint placeBesideMainWindow(QPoint mainTopLeft, int mainOuterHeight, int ownOuterHeight,
                             int screenHeight) {
    const int top = mainTopLeft.y();
    // Doubled, so that the exact half of an odd height is compared without rounding.
    const bool lowerHalf = 2 * qint64(top) > screenHeight;
    return {mainTopLeft.x(), lowerHalf ? top - ownOuterHeight : top + mainOuterHeight};
}

TFormSyns::TFormSyns(NameSource& source, SelectNameCallback selectName, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::TFormSyns>()),
      m_selectName(std::move(selectName)), Query2(std::make_unique<Query>(source)) {
    m_ui->setupUi(this);
    // Closing only hides the window, and an open synonym window never keeps the program
    // running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    new RecordIndicator(m_ui->DBGrid1);
    setUpResult(source);
    m_ui->EditF->installEventFilter(this);
    connect(m_ui->BtnFind, &QPushButton::clicked, this, &TFormSyns::BtnFindClick);
    connect(m_ui->BtnName, &QPushButton::clicked, this, &TFormSyns::BtnNameClick);
}

TFormSyns::~TFormSyns() = default;

void TFormSyns::setUpResult(NameSource& source) {
    auto* const rows = new QueryRowsModel(source, this);
    // The grid leaves its old selection to its owner.
    const QItemSelectionModel* const oldSelection = m_ui->DBGrid1->selectionModel();
    m_ui->DBGrid1->setModel(rows);
    delete oldSelection;
    delete std::exchange(Query1, rows);
    connect(m_ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, Query1,
            [this](const QModelIndex& current) { Query1->setIndicatorRow(current.row()); });
    connect(Query1, &QueryRowsModel::readFailed, this, [this](const QString& text) {
        MessageBox::show(this, MessageBox::Kind::Error, QGuiApplication::applicationDisplayName(),
                         text);
    });
}

void TFormSyns::useSource(NameSource& source) {
    Query1AfterClose();
    setUpResult(source);
    Query2 = std::make_unique<Query>(source);
}

void TFormSyns::ShowFormSyns(const QString& text, const QWidget* mainWindow) {
    m_ui->EditF->setText(text);
    placeBeside(mainWindow);
    show();
    raise();
    activateWindow();
    // Above the main window the place depends on this window's own frame, which the window
    // system tells only once the window is shown, and some only later: until then the place
    // counts with a frame as designed, and is corrected as soon as the real one is known.
    placeBeside(mainWindow);
    m_placeOnceFramed = frameGeometry() == geometry() ? mainWindow : nullptr;
}

void TFormSyns::placeBeside(const QWidget* mainWindow) {
    move(placeBesideMainWindow(mainWindow->frameGeometry().topLeft(),
                               WindowPlace::outerHeight(mainWindow), WindowPlace::outerHeight(this),
                               QGuiApplication::primaryScreen()->geometry().height()));
}

bool TFormSyns::event(QEvent* event) {
    const bool moved = event->type() == QEvent::Move || event->type() == QEvent::Resize;
    if (moved && m_placeOnceFramed && frameGeometry() != geometry())
        placeBeside(std::exchange(m_placeOnceFramed, nullptr));
    return QWidget::event(event);
}

void TFormSyns::BtnFindClick() {
    MessageBox::runAction(this, [this] {
        // Opening puts the new result in place of the earlier one, which the grid shows
        // until then: the grid stays on the screen from one result to the next.
        try {
            Query1->open(TableSchema::synonyms().tableFile, synonymSearchLines(), synonymParameter,
                         synonymPattern(trimmedClipboardText(m_ui->EditF->text())));
        } catch (...) {
            Query1AfterClose();
            throw;
        }
        Query1AfterOpen();
    });
}

void TFormSyns::closeQuery1() {
    Query1->close();
    Query1AfterClose();
}

void TFormSyns::Query1AfterOpen() {
    for (int column = 0; column < Query1->columnCount(); ++column)
        m_ui->DBGrid1->setColumnHidden(
            column, Query1->fieldName(column).compare(Synonym::synonym, Qt::CaseInsensitive) != 0);
    if (Query1->rowCount() > 0) {
        // The result shows from its first row, also when that row stayed current from the
        // last result and the grid does not scroll to it by itself.
        m_ui->DBGrid1->scrollToTop();
        m_ui->DBGrid1->setCurrentIndex(Query1->index(0, Query1->fieldIndex(Synonym::synonym)));
    }
    m_ui->DBGrid1->show();
    m_ui->BtnName->setEnabled(true);
}

void TFormSyns::Query1AfterClose() {
    m_ui->DBGrid1->hide();
    m_ui->BtnName->setEnabled(false);
}

void TFormSyns::BtnNameClick() {
    MessageBox::runAction(this, [this] {
        const int row = m_ui->DBGrid1->currentIndex().row();
        if (!Query1->isOpen() || row < 0)
            return;
        const int column = Query1->fieldIndex(Synonym::acceptedRecord);
        if (column < 0)
            throw std::runtime_error(tr("Tabulka synonym nemá pole pn_rec, platné jméno proto "
                                        "nelze najít. Vytvořte tabulky znovu příkazem "
                                        "nardel-import.")
                                         .toStdString());
        const QString synonym = Query1->text(row, Query1->fieldIndex(Synonym::synonym));
        // The value comes from a table file: only a whole number may reach the lookup.
        const std::optional<qint64> record = Query1->wholeNumber(row, column);
        if (!record)
            throw std::runtime_error(
                tr("Synonymum „%1“ neukazuje na platné jméno: jeho pn_rec „%2“ není celé číslo. "
                   "Opravte seznam synonym a tabulky vytvořte znovu příkazem nardel-import.")
                    .arg(synonym, Query1->text(row, column))
                    .toStdString());
        // Selecting nothing would empty the main window's lists and leave the user guessing.
        const std::optional<AcceptedName> name = lookUpAcceptedName(*Query2, *record);
        if (!name)
            throw std::runtime_error(
                tr("Platné jméno synonyma „%1“ (pn_rec %2) v tabulce jmen chybí. Doplňte je v "
                   "okně Editace dat, nebo tabulky vytvořte znovu příkazem nardel-import.")
                    .arg(synonym)
                    .arg(*record)
                    .toStdString());
        m_selectName(name->level, name->genus, name->species, name->subsp);
    });
}

void TFormSyns::FormClose() {
    closeQuery1();
}

void TFormSyns::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

bool TFormSyns::eventFilter(QObject* watched, QEvent* event) {
    // EditFKeyDown: Enter, with any modifier, searches.
    if (watched == m_ui->EditF && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            BtnFindClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
