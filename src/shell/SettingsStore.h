#pragma once

#include "shell/RegistryKey.h"

#include <QString>
#include <optional>

class QWidget;
class VersionRecord;

// The program's settings: one key, in a file under the settings root, that holds its options
// and its main window's place between runs. Reads never throw: they fail quietly and leave a
// preset out value (-1, empty, false). Writes fail before the key is opened and after it is
// closed; a write that an opened key refuses throws SettingsWriteError.
class SettingsStore {
public:
    explicit SettingsStore(KeyLockTimes lockTimes = {});

    // The key Tarnwick/<product>/<versionKey> below the root, opened for writing when this
    // process may write its folder and for reading otherwise. A key that can be neither opened
    // nor created reads as empty and refuses every write.
    void open(const QString& product, const QString& versionKey);
    // The program's own key, Tarnwick/Nardel/ and the version key of the record's FileVersion.
    void openProgramKey(const VersionRecord& record);
    void close() { m_key.reset(); }
    // Whether this process may write the key's folder; before the key is opened, the root's.
    bool userIsAdmin() const;

    // A missing value reads as empty text and succeeds.
    bool readString(const QString& name, QString& value) const;
    // Only a dword value reads as an integer.
    bool readInt(const QString& name, qint32& value) const;
    // A dword value; any but zero is true.
    bool readBool(const QString& name, bool& value) const;
    bool writeString(const QString& name, const QString& value);
    bool writeInt(const QString& name, qint32 value);
    // Written as the dword 1 or 0.
    bool writeBool(const QString& name, bool value);

    // The window's outer place under the names prefix + Top, Left, Height and Width. A negative
    // top maximizes the window; otherwise each of top, left, height and width is applied in
    // turn until one is missing or, but for the top, not positive, and the window then stands
    // whole on the screen nearest to that place, no smaller than its minimum size. True when
    // the window was maximized or all four were applied.
    bool restoreWindowPlace(const QString& prefix, QWidget* window) const;
    // A window maximized on screen is saved with a negative top.
    bool saveWindowPlace(const QString& prefix, QWidget* window);

private:
    KeyLockTimes m_lockTimes;
    std::optional<RegistryKey> m_key;
};
