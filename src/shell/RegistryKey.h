#pragma once

#include "shell/RegistryValue.h"

#include <QCoreApplication>
#include <QString>
#include <chrono>
#include <optional>
#include <stdexcept>

// A setting could not be written; the message says why and what to do, in Czech, and names
// the key file.
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
};

// How long a write waits for the lock that another running copy holds on a key, and the age
// after which a lock counts as left behind by a copy that crashed. A write holds the lock for
// milliseconds, so the defaults are generous.
struct KeyLockTimes {
    std::chrono::milliseconds wait = std::chrono::seconds(5);
    std::chrono::milliseconds staleAfter = std::chrono::seconds(3);
};

// One settings key of the user on disk, standing in for a registry key under
// HKEY_CURRENT_USER\Software: the key HKEY_CURRENT_USER\Software\Tarnwick\Nardel\1.0.0.0 is the
// file <root>/Tarnwick/Nardel/1.0.0.0.reg. Every read and write goes to the file, so the writes
// of other running copies are seen.
class RegistryKey {
    Q_DECLARE_TR_FUNCTIONS(RegistryKey)

public:
    enum class Access { Read, All };

    // The folder standing for HKEY_CURRENT_USER\Software: $NARDEL_SETTINGS_ROOT, else
    // $XDG_CONFIG_HOME, else .config in $HOME or, without HOME, in the account's home; empty
    // when the account has none.
    static QString rootFolder();
    // Whether this process may write the folder, or create it when missing: stands in for the
    // right to write the registry key.
    static bool mayWrite(const QString& folder);

    // keyPath is relative to the root, with forward slashes: Tarnwick/Nardel/1.0.0.0. Without
    // a root the key never opens, and every write says why.
    RegistryKey(const QString& keyPath, const QString& root, KeyLockTimes lockTimes = {});

    QString filePath() const { return m_file; }
    QString folder() const;

    // Read opens an existing key only. All creates the key when missing, tidies what a killed
    // write left, and fails when this process may not write the key's folder or something
    // other than a file or a link stands in the key's place. When the key cannot be created
    // (the lock cannot be taken, the disk is full) or a link stands in its place, it still
    // opens and reads as it stands, and every write names the cause.
    bool open(Access access);
    // All when this process may write the key's folder, else Read; nothing when the key does
    // not open.
    std::optional<Access> openAsAllowed();
    void close() { m_access.reset(); }

    // Nothing when the key is not open, the file cannot be read, or the value is missing or
    // stands on a line that does not read as a value.
    std::optional<RegistryValue> value(const QString& name) const;
    // Throws SettingsWriteError unless the key is open with All and the write succeeds. Never
    // writes through a link at the key's path.
    void setValue(const QString& name, const RegistryValue& value);

private:
    // Why a key that did not open for writing cannot be written.
    QString whyNotWritable() const;
    // Under the lock: removes what a killed write left, and creates a missing key.
    void prepareForWrites();
    // The registry's name of the key, for the file's section line.
    QString keyName() const;

    QString m_keyPath;
    QString m_file;
    KeyLockTimes m_lockTimes;
    std::optional<Access> m_access;
};
