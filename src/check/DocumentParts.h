#pragma once

#include "check/StyledText.h"

#include <QString>
#include <algorithm>
#include <initializer_list>

// What the readers of the formats share.

inline bool isOneOf(QStringView name, std::initializer_list<QStringView> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Bytes that are not UTF-8, read as a Czech Windows program wrote them.
QString czechWindowsText(QByteArrayView bytes);
