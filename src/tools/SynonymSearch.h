#pragma once

#include "tools/FSyns.h"

#include <memory>

class Clipboard;
class NameSource;
class QWidget;

// The synonym window of the run, as the main window's "Syn." button opens it: created at its
// first use, afterwards only shown again. Destroy it before `source`, whose connection its
// search reads through.
class SynonymSearch {
public:
    SynonymSearch(NameSource& source, Clipboard& clipboard, SelectNameCallback selectName,
                  QWidget* mainWindow);
    ~SynonymSearch();

    // Opens the window with the clipboard's text, without spaces and control characters at
    // either end, as the search text (an empty text when the clipboard holds none).
    void BtnSynClick();
    void ShowFormSyns(const QString& text);
    // The window, or null before its first use.
    TFormSyns* FormSyns() const { return m_form.get(); }

private:
    NameSource& m_source;
    Clipboard& m_clipboard;
    SelectNameCallback m_selectName;
    QWidget* m_mainWindow;
    std::unique_ptr<TFormSyns> m_form;
};
