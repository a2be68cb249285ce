#pragma once

#include "check/StyledText.h"

class Clipboard;

// The clipboard's text with its italics: from its RTF when it has one (word processors put
// their italics there most faithfully), else from its HTML, else its plain text.
StyledText copiedText(const Clipboard& clipboard);
