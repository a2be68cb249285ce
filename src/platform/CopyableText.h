#pragma once

#include <QString>
#include <QStringView>

// A text as a formatted copy carries it: one line of characters. Control characters other
// than tab, the line and paragraph separators and noncharacters are left out, since readers
// of RTF and HTML take them for structure or reject them; a lone surrogate, which neither
// UTF-8 nor a word processor can carry, becomes U+FFFD.
QString copyableText(QStringView text);
