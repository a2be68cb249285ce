#include "picker/RichOutput.h"

#include "picker/HtmlWriter.h"
#include "picker/RtfWriter.h"
#include "platform/Clipboard.h"

#include <QFontDatabase>
#include <QFontInfo>

RichOutput::RichOutput(Clipboard& clipboard, const QFont& windowFont, const QColor& textColour)
    : m_clipboard(clipboard), base(BaseFormat::fromFont(windowFont, textColour)) {}

namespace {

// RTF cannot leave the face open: a format that the user did not choose is written in the
// desktop's font at the size word processors give a new document.
BaseFormat rtfFormat(const BaseFormat& base) {
    if (base.chosen)
        return base;
    QFont desktopFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    desktopFont.setFamily(QFontInfo(desktopFont).family());
    desktopFont.setPointSize(12);
    return BaseFormat::fromFont(desktopFont, base.colour);
}

} // namespace

void RichOutput::copy(const FormattedName& name) const {
    m_clipboard.setFormatted(name.text, writeHtml(name, base), writeRtf(name, rtfFormat(base)));
}
