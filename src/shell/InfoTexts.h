#pragma once

#include <QString>
#include <QStringList>

class VersionRecord;

// The keys that the info window lists from the version record, in this order. The record's
// keys match without regard to letter case.
extern const QStringList VersionInfoKeys;

// "Key=value" for every key of VersionInfoKeys whose value in `record` is not empty.
QStringList versionLines(const VersionRecord& record);

// What the caller of the info window fills in; empty texts leave the version record's.
struct InfoArguments {
    QString title;
    QString comment;
    QString edition;
    QString year;
};

// The texts of the info window's labels.
struct InfoTexts {
    QString title;
    QString comment;
    QString version;
    QString copyright;
};

// The labels from the version lines, with the arguments and the application's title as
// fallbacks for what the lines lack.
InfoTexts composeInfoTexts(const QStringList& lines, const InfoArguments& arguments,
                           const QString& applicationTitle);
