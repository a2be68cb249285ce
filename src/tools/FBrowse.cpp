#include "tools/FBrowse.h"

#include "platform/MessageBox.h"
#include "platform/WindowPlace.h"
#include "store/BrowseTable.h"
#include "store/EngineError.h"
#include "tools/BrowseModel.h"
#include "tools/ColumnTitles.h"
#include "tools/RecordIndicator.h"
#include "ui_FBrowse.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

namespace {

const char* const warningText = QT_TRANSLATE_NOOP(
    "TFormBrowse", "Nevhodnou editací mohou být data poškozena.\r\nData lze obnovit pouze "
                   "novou instalací programu.");
const char* const restartText = QT_TRANSLATE_NOOP(
    "TFormBrowse", "Počet záznamů byl změněn, proto je potřebné aplikaci restartovat.");

} // namespace

TFormBrowse::TFormBrowse(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TFormBrowse>()) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    // The program ends with its main window; closing this one never ends it.
    setAttribute(Qt::WA_QuitOnClose, false);
    WindowPlace::moveToScreenPixels(this, QPoint(194, 113));
    // Rows of one height, a line of text each: the grid then never measures the rows it does
    // not show.
    QHeaderView* rows = m_ui->DBGrid1->verticalHeader();
    rows->setMinimumSectionSize(m_ui->DBGrid1->fontMetrics().height() + 4);
    rows->setDefaultSectionSize(rows->minimumSectionSize());
    new RecordIndicator(m_ui->DBGrid1);
    new ColumnTitles(m_ui->DBGrid1);
    m_ui->DBGrid1->installEventFilter(this);
    m_ui->LblReadOnly->hide();
    setUpDataSource();
    setUpNavigator();
}

// The grid is bound to its data link for the window's life; opening a table fills it.
void TFormBrowse::setUpDataSource() {
    DataSource = std::make_unique<BrowseModel>();
    // A page that cannot be read is reported once the grid has finished painting.
    connect(
        DataSource.get(), &BrowseModel::readFailed, this,
        [this](const QString& message) {
            MessageBox::show(this, MessageBox::Kind::Error,
                             QGuiApplication::applicationDisplayName(), message);
        },
        Qt::QueuedConnection);
    // The record indicator changes with the state of the record in editing.
    const BrowseModel* model = DataSource.get();
    connect(model, &BrowseModel::headerDataChanged, this, &TFormBrowse::updateNavigator);
    connect(model, &BrowseModel::rowsInserted, this, &TFormBrowse::updateNavigator);
    connect(model, &BrowseModel::rowsRemoved, this, &TFormBrowse::updateNavigator);
    connect(model, &BrowseModel::rowsMoved, this, &TFormBrowse::updateNavigator);
    connect(model, &BrowseModel::modelReset, this, &TFormBrowse::updateNavigator);
    m_ui->DBGrid1->setModel(DataSource.get());
    connect(m_ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { currentRowChanged(current.row()); });
}

TFormBrowse::~TFormBrowse() {
    closeTable();
}

void TFormBrowse::openTable(NameSource& source, const QString& tableName) {
    closeTable();
    Table = std::make_unique<BrowseTable>(source, tableName);
    DataSource->setTable(Table.get());
    m_ui->DBGrid1->setCurrentIndex(DataSource->index(0, 0));
    m_ui->LblReadOnly->setVisible(Table->readOnly());
    updateNavigator();
}

qint64 TFormBrowse::recordCount() {
    if (!Table)
        throw EngineError(tr("Tabulka není otevřena. Otevřete okno Editace dat znovu."), QString());
    return Table->recordCount();
}

void TFormBrowse::closeTable() {
    // The data link reads through the table.
    DataSource->setTable(nullptr);
    Table.reset();
    m_ui->LblReadOnly->hide();
    updateNavigator();
}

bool TFormBrowse::readOnly() const {
    return Table && Table->readOnly();
}

int TFormBrowse::currentRow() const {
    return m_ui->DBGrid1->currentIndex().row();
}

void TFormBrowse::currentRowChanged(int row) {
    const int editing = DataSource->editingRow();
    if (editing >= 0 && editing != row) {
        try {
            DataSource->post();
        } catch (const EngineError& failure) {
            // Back to the record in editing once the grid has finished its move, then say why.
            QTimer::singleShot(0, this, [this, message = failure.message()] {
                moveTo(DataSource->editingRow());
                MessageBox::show(this, MessageBox::Kind::Error,
                                 QGuiApplication::applicationDisplayName(), message);
            });
        }
    }
    // Storing may have moved the record that is now current.
    DataSource->setCurrentRow(currentRow());
    updateNavigator();
}

void TFormBrowse::commitOpenEditor() {
    QTableView* grid = m_ui->DBGrid1;
    const QModelIndex current = grid->currentIndex();
    if (QWidget* editor = grid->indexWidget(current))
        grid->itemDelegateForIndex(current)->setModelData(editor, DataSource.get(), current);
}

void TFormBrowse::closeOpenEditor() {
    QTableView* grid = m_ui->DBGrid1;
    const QModelIndex current = grid->currentIndex();
    if (QWidget* editor = grid->indexWidget(current))
        emit grid->itemDelegateForIndex(current)->closeEditor(editor);
}

void TFormBrowse::done(int result) {
    if (Table) {
        commitOpenEditor();
        try {
            DataSource->post();
        } catch (const EngineError& failure) {
            // The user typed the record and expects it kept: the window stays open to mend it.
            MessageBox::show(this, MessageBox::Kind::Error,
                             QGuiApplication::applicationDisplayName(), failure.message());
            return;
        }
    }
    QDialog::done(result);
}

bool TFormBrowse::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_ui->DBGrid1 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    // The grid's own keys: Insert adds a record, Ctrl+Delete deletes one, Escape drops the
    // changes of the record in editing.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
        DBNavigatorClick(NavigateButton::Insert);
        return true;
    }
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
        DBNavigatorClick(NavigateButton::Delete);
        return true;
    }
    if (key->key() == Qt::Key_Escape && DataSource->state() != BrowseModel::State::Browse) {
        DBNavigatorClick(NavigateButton::Cancel);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

BrowseOutcome ShowFormBrowse(QWidget* parent, NameSource& source, const QString& tableName) {
    // Each use gets a window of its own, on a freshly opened table.
    TFormBrowse FormBrowse(parent);
    qint64 before = 0;
    bool opened = false;
    MessageBox::runAction(parent, [&] {
        FormBrowse.openTable(source, tableName);
        before = FormBrowse.recordCount();
        opened = true;
    });
    if (!opened)
        return BrowseOutcome::Unchanged;
    MessageBox::show(parent, MessageBox::Kind::Warning, TFormBrowse::tr("Upozornění"),
                     TFormBrowse::tr(warningText));
    FormBrowse.exec();
    qint64 after = before;
    MessageBox::runAction(parent, [&] { after = FormBrowse.recordCount(); });
    FormBrowse.closeTable();
    if (after == before)
        return BrowseOutcome::Unchanged;
    MessageBox::show(parent, MessageBox::Kind::Information, TFormBrowse::tr("Informace"),
                     TFormBrowse::tr(restartText));
    return BrowseOutcome::RestartNeeded;
}
