#pragma once

#include "platform/BaseFormat.h"
#include "platform/FormattedText.h"

#include <QByteArray>

// The formatted name as an RTF fragment for word processors: the name's runs in italic or
// upright, of the text that a copy carries (copyableText); a base format that the user chose
// adds its one font, size, colour and style, and without one the name takes the format of the
// paragraph it is pasted into. Characters beyond ASCII are written as \uN escapes, so the
// bytes are ASCII whatever the text.
QByteArray writeRtf(const FormattedText& name, const BaseFormat& format);
// The same for a text of several paragraphs, each with its runs.
QByteArray writeRtf(const QList<FormattedText>& paragraphs, const BaseFormat& format);
