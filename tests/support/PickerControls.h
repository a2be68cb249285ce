#pragma once

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QToolButton;
class QWidget;

// The main window's controls, found by their object names as a user's tools find them.
struct PickerControls {
    explicit PickerControls(const QWidget& form);

    QStatusBar* StatusBar;
    QLabel* StatusPanel;
    QComboBox* CBgenus;
    QComboBox* CBspecies;
    QComboBox* CBsubsp;
    QRadioButton* RBgenus;
    QRadioButton* RBspecies;
    QRadioButton* RBsubsp;
    QPushButton* BtnInsert;
    QToolButton* SpeedButton1;
    QLabel* LblGenus;
    QLabel* LblSpecies;
    QLabel* LblSubsp;
    QPushButton* BtnFind;
    QPushButton* BtnMenu;
    QLabel* LblPage;
    QPushButton* BtnSyn;
    QMenu* PopupMenu;
    QAction* CBauthor;
    QAction* CBauto;
    QAction* CBformated;
    QAction* BtnFormat1;
    QAction* CBsmart;
    QAction* BtnDICgenerate;
    QAction* BtnEdit;
    QAction* StandardForm;
};

inline PickerControls ui(const QWidget& form) {
    return PickerControls(form);
}

// A tick of the clipboard watch, now rather than when its timer runs out.
void tickWatch(QWidget& form);
// The lookup of the copied text that Alt-F and the hidden "Najít" button run.
void findCopiedName(QWidget& form);
