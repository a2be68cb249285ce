#pragma once

#include <QStringView>

// Text taken from the clipboard without the characters of codes up to 32 (spaces, tabs, line
// ends) at either end, as a view into it.
QStringView trimmedClipboardText(QStringView text);
