#include "shell/FInfo.h"

#include "platform/WindowPlace.h"
#include "shell/InfoPictures.h"
#include "shell/InfoTexts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

namespace {

const QColor cream(255, 238, 204);
const int collapsedHeight = 248;
const int expandedHeight = 392;

QLabel* createLabel(QWidget* parent, const QString& name, QPoint place,
                    const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(place);
    label->adjustSize();
    return label;
}

QPushButton* createButton(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& place) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}

} // namespace

TFormInfo::TFormInfo(VersionRecord record, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_record(std::move(record)) {
    setObjectName(QStringLiteral("FormInfo"));
    // The program ends with its main window; closing this one never ends it.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Program info"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(384, 221);
    QPalette background = palette();
    background.setColor(QPalette::Window, cream);
    setPalette(background);
    setAutoFillBackground(true);
    createControls();
}

TFormInfo::~TFormInfo() {
    FormDestroy();
}

void TFormInfo::createControls() {
    auto* Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(InfoPictures::stalk({170, 240}));
    Image2->setGeometry(206, 0, 170, 240);
    Image2->setEnabled(false);
    Image2->setAccessibleName(QStringLiteral("Obrázek"));

    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(InfoPictures::logo(70));
    Image1->setGeometry(16, 16, 70, 70);
    Image1->setAccessibleName(QStringLiteral("Logo"));

    LblTitle = createLabel(this, QStringLiteral("LblTitle"), {112, 16});
    QFont titleFont = font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    LblTitle->setFont(titleFont);
    LblTitle->setStyleSheet(QStringLiteral("color: blue"));
    LblComment = createLabel(this, QStringLiteral("LblComment"), {112, 40});
    LblVersion = createLabel(this, QStringLiteral("LblVersion"), {112, 56});
    LblCopyright = createLabel(this, QStringLiteral("LblCopyright"), {112, 88});
    createLabel(this, QStringLiteral("Label4"), {112, 112}, QStringLiteral("Tarnwick s.r.o."));
    createLabel(this, QStringLiteral("Label6"), {112, 128},
                QStringLiteral("Lipová 12, 602 00 Brno"));
    createLabel(this, QStringLiteral("Label7"), {112, 144},
                QStringLiteral("tel. 541 210 417, 603 512 730"));
    createLabel(this, QStringLiteral("Label8"), {112, 160}, QStringLiteral("e-mail"));
    LblAddress = createLabel(this, QStringLiteral("LblAddress"), {152, 160},
                             QStringLiteral("nardel@tarnwick.cz"));
    QFont linkFont = font();
    linkFont.setUnderline(true);
    LblAddress->setFont(linkFont);
    LblAddress->setStyleSheet(QStringLiteral("color: blue"));
    LblAddress->setCursor(Qt::PointingHandCursor);
    LblAddress->setAccessibleDescription(QStringLiteral("Napsat autorům"));
    LblAddress->installEventFilter(this);

    BtnOK = createButton(this, QStringLiteral("BtnOK"), QStringLiteral("OK"), {16, 148, 75, 25});
    BtnOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BtnOK->setDefault(true);
    BtnMore = createButton(this, QStringLiteral("BtnMore"), QStringLiteral("More Info >>"),
                           {16, 188, 75, 25});
    BtnMore->hide();

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(16, 224, 361, 137);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, cream);
    Memo1->setPalette(memoPalette);
    Memo1->setAccessibleName(QStringLiteral("Údaje o verzi"));
    Memo1->hide();

    setTabOrder(BtnOK, Memo1);
    setTabOrder(Memo1, BtnMore);
    BtnOK->setFocus();

    connect(BtnOK, &QPushButton::clicked, this, &TFormInfo::BtnOKClick);
    connect(BtnMore, &QPushButton::clicked, this, &TFormInfo::BtnMoreClick);
}

void TFormInfo::FillInfo(const QString& title, const QString& comment, const QString& edition,
                         const QString& year) {
    FormShow();
    const InfoTexts texts =
        composeInfoTexts(Memo1->toPlainText().split(u'\n', Qt::SkipEmptyParts),
                         {title, comment, edition, year}, QCoreApplication::applicationName());
    for (const auto& [label, text] :
         {std::pair{LblTitle, texts.title}, std::pair{LblComment, texts.comment},
          std::pair{LblVersion, texts.version}, std::pair{LblCopyright, texts.copyright}}) {
        label->setText(text);
        label->adjustSize();
    }
    VersionKey = texts.versionKey;
}

void TFormInfo::FormShow() {
    Memo1->clear();
    const QStringList lines = versionLines(m_record);
    if (lines.isEmpty())
        return;
    Memo1->setPlainText(lines.join(u'\n'));
    BtnMore->show();
}

void TFormInfo::BtnOKClick() {
    accept();
}

void TFormInfo::BtnMoreClick() {
    const double dotsPerInch = WindowPlace::dotsPerInch(this);
    const bool expand = Memo1->isHidden();
    Memo1->setVisible(expand);
    WindowPlace::setOuterHeight(
        this, WindowPlace::scaled(expand ? expandedHeight : collapsedHeight, dotsPerInch));
    BtnMore->setText(expand ? QStringLiteral("<< Info") : QStringLiteral("More Info >>"));
}

QString TFormInfo::mailLink() const {
    return QStringLiteral("mailto:") + LblAddress->text() + QStringLiteral("?Subject=") +
           LblTitle->text() + QStringLiteral(": User request");
}

void TFormInfo::LblAddressClick() {
    // A mail program that cannot be started is not reported.
    QDesktopServices::openUrl(QUrl(mailLink(), QUrl::TolerantMode));
}

bool TFormInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LblAddress && event->type() == QEvent::MouseButtonRelease)
        LblAddressClick();
    return QDialog::eventFilter(watched, event);
}
