#include "tools/SynonymSearch.h"

#include "platform/Clipboard.h"
#include "platform/ClipboardText.h"

SynonymSearch::SynonymSearch(NameSource& source, Clipboard& clipboard,
                             SelectNameCallback selectName, QWidget* mainWindow)
    : m_source(source), m_clipboard(clipboard), m_selectName(std::move(selectName)),
      m_mainWindow(mainWindow) {}

SynonymSearch::~SynonymSearch() = default;

void SynonymSearch::BtnSynClick() {
    ShowFormSyns(trimmedClipboardText(m_clipboard.text()).toString());
}

void SynonymSearch::ShowFormSyns(const QString& text) {
    if (!m_form)
        m_form = std::make_unique<TFormSyns>(m_source, m_selectName);
    m_form->ShowFormSyns(text, m_mainWindow);
}
