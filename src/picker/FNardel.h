#pragma once

#include "picker/PickerLists.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class Clipboard;
class SettingsStore;
class QMenu;
class QTimer;
class QComboBox;
class NameComboBox;
class RichOutput;
class StatusLine;
class DictionaryExport;
class EditableCopy;
class TFormInfo;
class TFormSyns;
class TFormTextCheck;
class TablePairWatch;
class SmartLookup;
struct NameTextInput;

namespace Ui {
class TFormNardel;
}

// The main window: three linked drop-down lists for genus, species and subspecies, the
// output level, the page label and the status line with the composed name. It stays on top
// of other windows so that it can sit beside the document that names are pasted into.
class TFormNardel : public QWidget {
    Q_OBJECT

public:
    // `tableFolder` is where the table files lie; `foldersSearched`, where the program looked
    // for them, which the message for missing tables lists. The window keeps its options and
    // place in `settings`, which outlives it.
    TFormNardel(const QString& tableFolder, Clipboard& clipboard, SettingsStore& settings,
                const QStringList& foldersSearched = {}, QWidget* parent = nullptr);
    ~TFormNardel() override;

    // The status line's background: green after a copy, the button face otherwise.
    QColor statusColour() const;
    QString statusText() const;

    // Opens the name table at `tablePath`; a missing one is reported.
    void OpenNameSource(const QString& tablePath);
    // The first activation: the info window, the stored options and the genus list.
    void FormActivate();
    // Each list anew from the selection above it.
    void FillGenusList();
    void FillSpeciesList();
    void FillSubspList();
    // The name down to `level`, and the page label to match.
    QString ComposeName(int level);
    // The clipboard watch's lookup of a copied text, plain or read as a botanist writes a
    // name (the smart lookup option).
    void FindClipboardName(const QString& text);
    void FindNameSmartly(const QString& text);
    // Selects a name given in full, as the synonym search hands it over.
    void SelectName(int level, const QString& genus, const QString& species, const QString& subsp);
    bool watchingClipboard() const;

    int level() const { return Level; }
    // Formatted output, present exactly while it is switched on.
    const RichOutput* richOutput() const { return RichOut.get(); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void CBgenusChange(QObject* Sender);
    void CBspeciesChange(QObject* Sender);
    void CBsubspChange(QObject* Sender);
    void RBgenusClick(QObject* Sender);
    void RBspeciesClick(QObject* Sender);
    void RBsubspClick(QObject* Sender);
    void SpeedButton1Click();

    // Copying the name, plain or formatted.
    void BtnInsertClick(QObject* Sender);
    void BtnFormat1Click();

    // The options menu and the window's place.
    void BtnMenuClick();
    void PopupMenuPopup();
    void CBauthorClick();
    void CBautoClick();
    void CBformatedClick();
    void StandardFormClick();

    // The clipboard watch: every tick looks up a name copied in another program; working in
    // the window stops it, leaving the window starts it.
    void Timer1Timer();
    void FormDeactivate();
    void FormClick();
    void BtnFindClick(QObject* Sender);

    // The tools: the synonym search, the spelling dictionary and the editing window.
    void BtnSynClick();
    void BtnDICgenerateClick();
    void BtnEditClick();
    // Opens the text check window on the clipboard's text (options menu, Ctrl+K).
    void BtnTextCheckClick();

private:
    void CopyFormatted();
    void CreateRichOut();
    void LoadOutputFont();
    // Saves the options and the window's place.
    void FormClose();
    // Keyboard control: Ctrl moves the focus, Alt sets the level or runs a button; a key
    // with either never reaches a list.
    void FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void CBKeyPress(QObject* Sender, QChar& Key);
    void setUpControls();
    void setButtonPictures();
    void setUpOptionsMenu();
    void setUpClipboardWatch();
    void setUpTools();
    // New tables in the folder are read when nothing reads the old ones; else the user is
    // told to restart.
    void setUpTableWatch();
    void takeNewTables();
    // Reads the folder's tables anew, keeping the selected names that they still hold.
    void readTablesAgain();
    // A new connection and new list queries on it; whatever read through the old ones goes.
    void newConnection();
    // Reads the tables of `folder` from now on, the same list as before: a copy of it.
    void useTables(const QString& folder);
    // Selects entry `index` of a list, or nothing for -1, as a user's pick would.
    void selectEntry(QComboBox* list, qsizetype index, void (TFormNardel::*handler)(QObject*));
    // Takes the window's place and options from the settings store.
    void restoreSettings();
    // The program info window, made and filled at its first showing.
    TFormInfo& infoWindow();
    void FormCreate();
    void NameChanged(int level, QObject* Sender);
    // The selected entries and the data of every entry, for the name text.
    NameTextInput nameInput() const;
    NameComboBox* listOf(PickerLists::Level level) const;
    // Shows a list's entries as m_lists holds them, and its count.
    void showList(PickerLists::Level level);

    std::unique_ptr<Ui::TFormNardel> m_ui;
    // The options menu; its three options are checkable items, whose ticks hold them.
    QMenu* PopupMenu = nullptr;
    std::unique_ptr<StatusLine> m_statusLine;
    // The client area at 96 pixels per inch, as the layout file gives it.
    QSize m_designedSize;
    QString m_programFolder;
    QStringList m_foldersSearched;
    Clipboard& m_clipboard;
    SettingsStore& m_settings;
    bool Activated = false;
    int Level = 1;
    QTimer* Timer1 = nullptr;
    // The clipboard text that the watch last took up; texts compare without their blanks at
    // either end.
    QString LastClipText;
    // The last key the window saw, 0 when it took the key as a shortcut.
    quint8 LastKey = 0;
    std::unique_ptr<TFormInfo> FormInfo;
    std::unique_ptr<DictionaryExport> m_dictionaryExport;
    // Offers, once a run, to edit tables the user may not write in a copy of the user's own.
    std::unique_ptr<EditableCopy> m_editableCopy;
    TablePairWatch* m_tableWatch = nullptr;
    // While the editing window is open, on the tables it edits.
    bool m_editing = false;
    // Set when the program ends without saving its options, after the table was edited.
    bool m_endingWithoutSaving = false;
    std::unique_ptr<RichOutput> RichOut;
    // The font dialog's font: the window's at first, then the last choice of this run.
    QFont FontDlgFont;

    // The lists' entries and the connection to the table files, through which every query of
    // the window goes.
    PickerLists m_lists;
    // Made at the first copied text that the smart lookup reads.
    std::unique_ptr<SmartLookup> m_smartLookup;
    // Made at its first use, then hidden and shown for the rest of the run; it searches on
    // the connection above, so it goes first.
    std::unique_ptr<TFormSyns> FormSyns;
    // Made at its first use; it reads the names of new tables anew.
    std::unique_ptr<TFormTextCheck> FormTextCheck;
};
