#include "support/PickerControls.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>

namespace {

template <class Control>
Control* named(const QWidget& form, const char* name) {
    auto* control = form.findChild<Control*>(QString::fromLatin1(name));
    if (!control)
        qFatal("The main window has no control %s", name);
    return control;
}

} // namespace

void tickWatch(QWidget& form) {
    if (!QMetaObject::invokeMethod(&form, "Timer1Timer"))
        qFatal("The main window has no clipboard watch");
}

void findCopiedName(QWidget& form) {
    if (!QMetaObject::invokeMethod(&form, "BtnFindClick",
                                   Q_ARG(QObject*, named<QPushButton>(form, "BtnFind"))))
        qFatal("The main window has no lookup of the copied text");
}

#define NAMED(name) name(named<std::remove_pointer_t<decltype(name)>>(form, #name))

PickerControls::PickerControls(const QWidget& form)
    : NAMED(StatusBar), NAMED(StatusPanel), NAMED(CBgenus), NAMED(CBspecies), NAMED(CBsubsp),
      NAMED(RBgenus), NAMED(RBspecies), NAMED(RBsubsp), NAMED(BtnInsert), NAMED(SpeedButton1),
      NAMED(LblGenus), NAMED(LblSpecies), NAMED(LblSubsp), NAMED(BtnFind), NAMED(BtnMenu),
      NAMED(LblPage), NAMED(BtnSyn), NAMED(PopupMenu), NAMED(CBauthor), NAMED(CBauto),
      NAMED(CBformated), NAMED(BtnFormat1), NAMED(CBsmart), NAMED(BtnDICgenerate), NAMED(BtnEdit),
      NAMED(StandardForm) {}
