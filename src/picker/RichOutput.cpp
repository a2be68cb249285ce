#include "picker/RichOutput.h"

#include "picker/HtmlWriter.h"
#include "picker/RtfWriter.h"
#include "platform/Clipboard.h"

RichOutput::RichOutput(Clipboard& clipboard, const QFont& windowFont, const QColor& textColour)
    : m_clipboard(clipboard), base(BaseFormat::fromFont(windowFont, textColour)) {}

void RichOutput::copy(const FormattedName& name) const {
    m_clipboard.setFormatted(name.text, writeHtml(name, base), writeRtf(name, base));
}
