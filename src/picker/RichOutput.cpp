#include "picker/RichOutput.h"

#include "platform/Clipboard.h"
#include "platform/HtmlWriter.h"
#include "platform/RtfWriter.h"

RichOutput::RichOutput(Clipboard& clipboard, const QFont& windowFont, const QColor& textColour)
    : m_clipboard(clipboard), base(BaseFormat::fromFont(windowFont, textColour)) {}

void RichOutput::copy(const FormattedText& name) const {
    m_clipboard.setFormatted(name.text, writeHtml(name, base), writeRtf(name, base));
}
