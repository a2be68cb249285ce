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
// A name that stands on more than one line takes its value from the last of them, as a
// registry import does; the earlier lines stay as they stood.
// Comment lines (";") and lines that do not read as values stay where they stood, as they
// stood, so rewriting the file loses nothing an administrator wrote.
class RegistryFile {
public:
    // A larger file is not read at all, so a runaway file cannot fill the program's memory.
    static constexpr qsizetype maxSize = 1024 * 1024;

    // Reads what it can; a larger file than maxSize reads as empty.
    static RegistryFile parse(const QByteArray& bytes);
    // The whole file; keyName (e.g. HKEY_CURRENT_USER\Software\...) goes on the section line.
    QByteArray write(const QString& keyName) const;
    // A name with a line break, CR or zero character cannot stand on a value line.
    static bool isWritableName(const QString& name);

    std::optional<RegistryValue> value(const QString& name) const;
    // Replaces the value of that name (in any letter case) where it stands, else appends it.
    void setValue(const QString& name, const RegistryValue& value);

private:
    // A value, or lines kept in their place as they stood.
    struct Entry {
        QString name;
        RegistryValue value;
        QByteArray keptLines;
    };

    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_entryOfFoldedName;
};
