#pragma once

#include "shell/RegistryValue.h"

#include <QString>
#include <optional>

// A value as one comparable text with its type: "text:Arial", "expandable:%A%",
// "integer:-1", "other:hex:01" or "missing".
inline QString valueText(const std::optional<RegistryValue>& value) {
    if (!value)
        return QStringLiteral("missing");
    switch (value->type) {
    case RegistryValue::Type::Text:
        return QStringLiteral("text:") + value->text;
    case RegistryValue::Type::ExpandableText:
        return QStringLiteral("expandable:") + value->text;
    case RegistryValue::Type::Integer:
        return QStringLiteral("integer:") + QString::number(value->integer);
    case RegistryValue::Type::Other:
        break;
    }
    return QStringLiteral("other:") + QString::fromUtf8(value->raw);
}
