#pragma once

#include "platform/BaseFormat.h"
#include "platform/FormattedText.h"

#include <QByteArray>

// The formatted name as an HTML fragment for browser editors and word processors: UTF-8 with
// its charset declared, the base format on one span, the italic runs in <i>, of the text that
// a copy carries (copyableText). Spaces are kept as they stand, two in a row included.
QByteArray writeHtml(const FormattedText& name, const BaseFormat& format);
// The same for a text of several paragraphs, each with its runs.
QByteArray writeHtml(const QList<FormattedText>& paragraphs, const BaseFormat& format);
