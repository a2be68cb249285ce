#include "shell/FInfo.h"

#include "platform/WindowPlace.h"
#include "shell/InfoPictures.h"
#include "shell/InfoTexts.h"
#include "ui_FInfo.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QPlainTextEdit>
#include <QUrl>

namespace {

const QColor cream(255, 238, 204);
// Heights of the client area without and with the panel of version lines; inside the frame of
// a dialog as designed they make windows of 248 and 392 pixels.
const int collapsedHeight = 221;
const int expandedHeight = 365;

} // namespace

// Without a minimise or maximise box: the window is modal, and one the user could hide away
// would leave the program waiting for it.
TFormInfo::TFormInfo(SettingsStore& settings, VersionRecord record, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_record(std::move(record)), m_ui(std::make_unique<Ui::TFormInfo>()), SettingsKey(settings) {
    m_ui->setupUi(this);
    // The program ends with its main window; closing this one never ends it.
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette background = palette();
    background.setColor(QPalette::Window, cream);
    setPalette(background);
    setAutoFillBackground(true);

    m_ui->LblTitle->setStyleSheet(QStringLiteral("color: blue"));
    m_ui->LblAddress->setStyleSheet(QStringLiteral("color: blue"));
    m_ui->LblAddress->installEventFilter(this);

    m_ui->BtnOK->setFocus();
    // The panel's button shows once there is a version record to list.
    m_ui->BtnMore->hide();

    connect(m_ui->BtnOK, &QPushButton::clicked, this, &TFormInfo::BtnOKClick);
    connect(m_ui->BtnMore, &QPushButton::clicked, this, &TFormInfo::BtnMoreClick);
}

TFormInfo::~TFormInfo() = default;

void TFormInfo::FillInfo(const QString& title, const QString& comment, const QString& edition,
                         const QString& year) {
    FormShow();
    const InfoTexts texts =
        composeInfoTexts(memo().toPlainText().split(u'\n', Qt::SkipEmptyParts),
                         {title, comment, edition, year}, QCoreApplication::applicationName());
    for (const auto& [label, text] :
         {std::pair{m_ui->LblTitle, texts.title}, std::pair{m_ui->LblComment, texts.comment},
          std::pair{m_ui->LblVersion, texts.version},
          std::pair{m_ui->LblCopyright, texts.copyright}}) {
        label->setText(text);
    }
    m_labelsFitted = false;
    if (isVisible())
        fitLabels();
}

// What the window shows only once it is drawn, made once it is on the screen: measuring the
// texts loads their fonts, the bold title's too, and the pictures are drawn, which the window
// need not wait for to appear. The posted call runs before the window is first drawn.
void TFormInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_ui->Image1->pixmap().isNull()) {
                m_ui->Image2->setPixmap(InfoPictures::stalk(m_ui->Image2->size()));
                m_ui->Image1->setPixmap(InfoPictures::logo(m_ui->Image1->width()));
                m_ui->BtnOK->setIcon(InfoPictures::okMark());
            }
            if (!m_labelsFitted)
                fitLabels();
        },
        Qt::QueuedConnection);
}

// The texts' widths depend on the fonts of the machine; the address takes clicks on its text
// only.
void TFormInfo::fitLabels() {
    for (QLabel* label : {m_ui->LblTitle, m_ui->LblComment, m_ui->LblVersion, m_ui->LblCopyright,
                          m_ui->Label4, m_ui->Label6, m_ui->Label7, m_ui->Label8, m_ui->LblAddress})
        label->adjustSize();
    m_labelsFitted = true;
}

void TFormInfo::FormShow() {
    memo().clear();
    const QStringList lines = versionLines(m_record);
    if (lines.isEmpty())
        return;
    memo().setPlainText(lines.join(u'\n'));
    m_ui->BtnMore->show();
}

// The panel of version lines, hidden until the user opens it, is made when it is first
// filled: a text field lays out its document as it is made, loading the fonts that takes,
// which the window need not wait for.
QPlainTextEdit& TFormInfo::memo() {
    if (m_memo)
        return *m_memo;
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setGeometry(16, 224, 361, 137);
    m_memo->setAccessibleName(tr("Údaje o verzi"));
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = m_memo->palette();
    memoPalette.setColor(QPalette::Base, cream);
    m_memo->setPalette(memoPalette);
    m_memo->hide();
    setTabOrder(m_ui->BtnOK, m_memo);
    setTabOrder(m_memo, m_ui->BtnMore);
    return *m_memo;
}

void TFormInfo::BtnOKClick() {
    accept();
}

void TFormInfo::BtnMoreClick() {
    const double dotsPerInch = WindowPlace::dotsPerInch(this);
    const bool expand = memo().isHidden();
    memo().setVisible(expand);
    setFixedHeight(WindowPlace::scaled(expand ? expandedHeight : collapsedHeight, dotsPerInch));
    m_ui->BtnMore->setText(expand ? tr("<< Info") : tr("More Info >>"));
}

QString TFormInfo::mailLink() const {
    return QStringLiteral("mailto:") + m_ui->LblAddress->text() + QStringLiteral("?Subject=") +
           m_ui->LblTitle->text() + QStringLiteral(": User request");
}

void TFormInfo::LblAddressClick() {
    // A mail program that cannot be started is not reported.
    QDesktopServices::openUrl(QUrl(mailLink(), QUrl::TolerantMode));
}

void TFormInfo::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Some window managers minimise a window whatever buttons it asked for; a modal one would
    // then hide from the user while the program waits for it, so it comes back at once.
    if (event->type() == QEvent::WindowStateChange && isModal() && isMinimized())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!isMinimized())
                    return;
                setWindowState(windowState() & ~Qt::WindowMinimized);
                activateWindow();
            },
            Qt::QueuedConnection);
}

bool TFormInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->LblAddress && event->type() == QEvent::MouseButtonRelease)
        LblAddressClick();
    return QDialog::eventFilter(watched, event);
}
