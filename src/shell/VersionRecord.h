#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The program's version record: named texts such as FileVersion and CompanyName. The
// program's own record is compiled in from the project's version; a test may build one
// that lacks keys. A record without entries stands for a program that has none.
class VersionRecord {
public:
    VersionRecord() = default;
    explicit VersionRecord(QList<QPair<QString, QString>> entries)
        : m_entries(std::move(entries)) {}

    static VersionRecord program();

    // The value stored under `key`, whose letter case does not matter.
    std::optional<QString> value(const QString& key) const;

private:
    QList<QPair<QString, QString>> m_entries;
};
