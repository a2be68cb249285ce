#include "check/FTextCheck.h"

#include "check/CopiedText.h"
#include "check/NameCatalogReader.h"
#include "check/TextCheckModel.h"
#include "platform/BaseFormat.h"
#include "platform/Clipboard.h"
#include "platform/HtmlWriter.h"
#include "platform/MessageBox.h"
#include "platform/RtfWriter.h"
#include "store/NameSource.h"
#include "ui_FTextCheck.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>

TFormTextCheck::TFormTextCheck(const QString& tableFolder, Clipboard& clipboard,
                               SelectNameCallback selectName, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::TFormTextCheck>()),
      m_tableFolder(tableFolder), m_clipboard(clipboard), m_selectName(std::move(selectName)) {
    m_ui->setupUi(this);
    m_model = new TextCheckModel(this);
    m_ui->GridNames->setModel(m_model);
    m_ui->GridNames->verticalHeader()->hide();
    m_ui->GridNames->horizontalHeader()->setStretchLastSection(true);
    connect(m_ui->BtnClipboard, &QPushButton::clicked, this,
            [this] { MessageBox::runAction(this, [this] { BtnClipboardClick(); }); });
    connect(m_ui->BtnCopy, &QPushButton::clicked, this,
            [this] { MessageBox::runAction(this, [this] { BtnCopyClick(); }); });
    connect(m_ui->CBmisspellings, &QCheckBox::toggled, this,
            [this] { MessageBox::runAction(this, [this] { checkText(); }); });
    connect(m_ui->GridNames, &QTableView::activated, this, [this](const QModelIndex& index) {
        MessageBox::runAction(this, [this, index] { selectRow(index); });
    });
    m_ui->BtnCopy->setEnabled(false);
}

TFormTextCheck::~TFormTextCheck() {
    // The thread writes nothing of the window's; it ends with its reading.
    if (m_reading.joinable())
        m_reading.join();
}

void TFormTextCheck::ShowFormTextCheck() {
    show();
    raise();
    activateWindow();
    BtnClipboardClick();
}

void TFormTextCheck::BtnClipboardClick() {
    m_text = copiedText(m_clipboard);
    if (!m_catalog) {
        readCatalog();
        return;
    }
    checkText();
}

void TFormTextCheck::readCatalog() {
    if (m_reading.joinable())
        return;
    m_ui->LblState->setText(tr("Načítám jména z tabulek…"));
    // The reading has a connection of its own; the window hears of its end through a call
    // posted to the application, which outlives it.
    m_reading = std::thread(
        [folder = m_tableFolder, tables = m_tables, window = QPointer<TFormTextCheck>(this)] {
            std::shared_ptr<const NameCatalog> catalog;
            QString failure;
            try {
                NameSource source;
                source.connectToFolder(folder);
                catalog = std::make_shared<const NameCatalog>(readNameCatalog(source));
            } catch (const std::exception& error) {
                failure = QString::fromUtf8(error.what());
            }
            QMetaObject::invokeMethod(qApp, [window, catalog, failure, tables] {
                if (window)
                    window->catalogRead(catalog, failure, tables);
            });
        });
}

void TFormTextCheck::useTables(const QString& tableFolder) {
    m_tableFolder = tableFolder;
    ++m_tables;
    // The rows name the old tables' names: they go first, then the names.
    m_model->setCheck(nullptr);
    m_catalog.reset();
    m_ui->BtnCopy->setEnabled(false);
    m_ui->LblState->clear();
    if (isVisible())
        readCatalog();
}

void TFormTextCheck::catalogRead(std::shared_ptr<const NameCatalog> catalog, const QString& failure,
                                 int tables) {
    m_reading.join();
    // Names of tables left meanwhile are read again from the tables now in use.
    if (tables != m_tables) {
        readCatalog();
        return;
    }
    if (!catalog) {
        m_ui->LblState->setText(tr("Jména z tabulek nelze načíst."));
        MessageBox::show(this, MessageBox::Kind::Error, windowTitle(),
                         tr("Jména z tabulek nelze načíst.") + u'\n' + failure);
        return;
    }
    m_catalog = std::move(catalog);
    MessageBox::runAction(this, [this] { checkText(); });
}

void TFormTextCheck::checkText() {
    if (!m_catalog)
        return;
    m_model->setCheck(
        std::make_unique<TextCheck>(*m_catalog, m_text, m_ui->CBmisspellings->isChecked()));
    m_ui->GridNames->resizeColumnsToContents();
    m_ui->BtnCopy->setEnabled(!m_text.utf8.isEmpty());
    showCount();
}

void TFormTextCheck::showCount() {
    const int found = m_model->rowCount();
    m_ui->LblState->setText(m_text.utf8.isEmpty() ? tr("Ve schránce není text.")
                                                  : tr("Nalezená jména: %1").arg(found));
}

void TFormTextCheck::BtnCopyClick() {
    const TextCheck* check = m_model->check();
    if (!check)
        return;
    const QList<FormattedText> paragraphs = check->formatted();
    // No base format: the text takes the face and size of the paragraph it is pasted into.
    m_clipboard.setFormatted(TextCheck::plainText(paragraphs), writeHtml(paragraphs, BaseFormat()),
                             writeRtf(paragraphs, BaseFormat()));
}

void TFormTextCheck::selectRow(const QModelIndex& index) {
    const TextCheck* check = m_model->check();
    if (!check || !index.isValid())
        return;
    const std::optional<NameCatalog::Id> id = check->selectable(index.row());
    if (!id)
        return;
    const NameCatalog::Name name = m_catalog->name(*id);
    // The third list's entries are the rank word and the epithet, as the table has them.
    const QString infra = name.rank.isEmpty()
                              ? QString::fromUtf8(name.infra)
                              : QString::fromUtf8(name.rank) + u' ' + QString::fromUtf8(name.infra);
    const int level = !name.infra.isEmpty() ? 2 : !name.species.isEmpty() ? 1 : 0;
    m_selectName(level, QString::fromUtf8(name.genus), QString::fromUtf8(name.species), infra);
}

void TFormTextCheck::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        MessageBox::runAction(this, [this] { BtnClipboardClick(); });
        return;
    }
    QWidget::keyPressEvent(event);
}
