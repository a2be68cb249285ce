#pragma once

#include "check/StyledText.h"

#include <QString>

// A document file, told by its content rather than its name: .docx, .odt, RTF, HTML or plain
// text. Throws DocumentError when the file is none of these, cannot be read, is larger than
// largestDocument or is not a regular file (a FIFO would keep its reader waiting).
StyledText documentText(const QString& path);
