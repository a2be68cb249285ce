#pragma once

#include "shell/RegistryValue.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The values of one settings key in the text of a registry export (.reg) file, so that types
// survive and an administrator can read and edit the file. Values keep the order they were
// read or first set in; names compare without regard to letter case, as in the registry.
// Comment lines (";") stay where they stood.
class RegistryFile {
public:
    // A larger file is not read at all, so a runaway file cannot fill the program's memory.
    static constexpr qsizetype maxSize = 1024 * 1024;

    // Reads what it can: a line that does not parse is skipped and marks the file damaged.
    static RegistryFile parse(const QByteArray& bytes);
    // The whole file; keyName (e.g. HKEY_CURRENT_USER\Software\...) goes on the section line.
    QByteArray write(const QString& keyName) const;
    // A name with a line break, CR or zero character cannot stand on a value line.
    static bool isWritableName(const QString& name);

    std::optional<RegistryValue> value(const QString& name) const;
    // Replaces the value of that name (in any letter case) where it stands, else appends it.
    void setValue(const QString& name, const RegistryValue& value);
    bool damaged() const { return m_damaged; }

private:
    // A value, or a comment line that an administrator wrote, kept in its place.
    struct Entry {
        QString name;
        RegistryValue value;
        QByteArray comment;
    };

    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_entryOfFoldedName;
    bool m_damaged = false;
};
