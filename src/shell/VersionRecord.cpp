#include "shell/VersionRecord.h"

std::optional<QString> VersionRecord::value(const QString& key) const {
    for (const auto& [name, text] : m_entries)
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return text;
    return std::nullopt;
}
