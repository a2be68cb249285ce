#pragma once

#include "picker/BaseFormat.h"
#include "picker/FormattedName.h"

#include <QByteArray>

// The formatted name as an RTF fragment for word processors: one font and one colour from the
// base format, and the name's runs in italic or upright, of the text that a copy carries
// (copyableText). Characters beyond ASCII are written as \uN escapes, so the bytes are ASCII
// whatever the text.
QByteArray writeRtf(const FormattedName& name, const BaseFormat& format);
