#pragma once

#include "check/StyledText.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <thread>

class Clipboard;
class NameCatalog;
class QModelIndex;
class TextCheckModel;

namespace Ui {
class TFormTextCheck;
}

// The text check window: finds every plant name in a text copied from another program, tells
// whether the tables hold it, has the main window select one, and copies the text back with
// the names in italics. The names of the tables are read once, on a thread of their own,
// when the window first opens.
class TFormTextCheck : public QWidget {
    Q_OBJECT

public:
    // How the window hands a name to the main window: the level (0 genus, 1 species, 2 below
    // the species), the genus, the species and the entry of the third list.
    using SelectNameCallback = std::function<void(int level, const QString& genus,
                                                  const QString& species, const QString& subsp)>;

    TFormTextCheck(const QString& tableFolder, Clipboard& clipboard, SelectNameCallback selectName,
                   QWidget* parent = nullptr);
    ~TFormTextCheck() override;

    // Reads the names of the tables in another folder (ending in '/') from now on: at once
    // when the window is shown, else when it opens next.
    void useTables(const QString& tableFolder);
    // Shows the window in front and checks the clipboard's text.
    void ShowFormTextCheck();
    // Checks the clipboard's text; also Ctrl+V in the window.
    void BtnClipboardClick();
    // Copies the checked text back as plain text, HTML and RTF.
    void BtnCopyClick();
    // Has the main window select the name of a row: an accepted name as found, a synonym's
    // accepted name, a misspelling's suggestion.
    void selectRow(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void readCatalog();
    void catalogRead(std::shared_ptr<const NameCatalog> catalog, const QString& failure,
                     int tables);
    void checkText();
    void showCount();

    std::unique_ptr<Ui::TFormTextCheck> m_ui;
    QString m_tableFolder;
    int m_tables = 0; // counts the tables used, so that a reading of older ones is not taken
    Clipboard& m_clipboard;
    SelectNameCallback m_selectName;
    TextCheckModel* m_model = nullptr;
    std::shared_ptr<const NameCatalog> m_catalog;
    std::thread m_reading;
    StyledText m_text; // the text checked last, or waiting for the names
};
