#include "picker/RichOutput.h"

#include "picker/HtmlWriter.h"
#include "picker/RtfWriter.h"
#include "platform/Clipboard.h"

RichOutput::RichOutput(const QFont& windowFont, const QColor& textColour)
    : base(BaseFormat::fromFont(windowFont, textColour)) {}

void RichOutput::copy(const FormattedName& name) const {
    // Without a genus there is nothing to format: the copy is an empty plain text.
    if (name.text.isEmpty())
        Clipboard::setPlainText(QString());
    else
        Clipboard::setFormatted(name.text, writeHtml(name, base), writeRtf(name, base));
}
