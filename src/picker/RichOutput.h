#pragma once

#include "BaseFormat.h"
#include "FormattedName.h"

class QFont;

// Formatted output while it is switched on: the base format, which starts as the main
// window's font, and the name of the last formatted copy, which it puts on the clipboard as
// plain text, HTML and RTF together.
class RichOutput {
public:
    RichOutput(const QFont& windowFont, const QColor& textColour);

    BaseFormat& baseFormat() { return base; }
    const BaseFormat& baseFormat() const { return base; }
    const FormattedName& text() const { return name; }

    void clear() { name = {}; }
    // Takes `formatted` as its text and copies it to the clipboard.
    void copy(const FormattedName& formatted);

private:
    BaseFormat base;
    FormattedName name;
};
