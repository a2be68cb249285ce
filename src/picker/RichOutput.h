#pragma once

#include "platform/BaseFormat.h"
#include "platform/FormattedText.h"

class Clipboard;
class QFont;

// Formatted output while it is switched on: the base format, which starts as the main
// window's font, and the copy of a formatted name to the clipboard as plain text, HTML and RTF
// together.
class RichOutput {
public:
    RichOutput(Clipboard& clipboard, const QFont& windowFont, const QColor& textColour);

    BaseFormat& baseFormat() { return base; }

    // Copies `name` in the base format to the clipboard.
    void copy(const FormattedText& name) const;

private:
    Clipboard& m_clipboard;
    BaseFormat base;
};
