#include "picker/RichOutput.h"

#include "picker/HtmlWriter.h"
#include "picker/RtfWriter.h"
#include "platform/Clipboard.h"

RichOutput::RichOutput(Clipboard& clipboard, const QFont& windowFont, const QColor& textColour)
    : m_clipboard(clipboard), base(BaseFormat::fromFont(windowFont, textColour)) {}

void RichOutput::copy(const FormattedName& name) const {
    // Without a genus there is nothing to format: the copy is an empty plain text.
    if (name.text.isEmpty())
        m_clipboard.setPlainText(QString());
    else
        m_clipboard.setFormatted(name.text, writeHtml(name, base), writeRtf(name, base));
}
