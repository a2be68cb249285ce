#pragma once

#include "picker/FNardel.h"
#include "platform/QtClipboard.h"
#include "support/PickerControls.h"
#include "support/TestSettings.h"
#include "support/TestTables.h"

#include <QStringList>
#include <memory>

// What a picker window meets in a widget test: its own table folder and settings root, the
// info window closed as its user closes it, and the texts of the message boxes it shows.
class PickerTestBed {
public:
    // Builds the tables from the name and synonym rows and catches every message box.
    explicit PickerTestBed(const QStringList& rows, const QStringList& synonymRows = {});

    // For each test: a new, empty settings root and no messages yet.
    void reset();
    QString folder() const { return tables.folder(); }
    // Imports the tables anew into the folder, as a second run of nardel-import does.
    void importAgain(const QStringList& rows, const QStringList& synonymRows) const {
        tables.importRows(rows, synonymRows);
    }
    TestSettings& settings() { return *settings_; }
    // The test's settings store, which every window of the test keeps its options in.
    SettingsStore& store() { return settings_->store(); }
    const QStringList& messages() const { return messages_; }
    // How often the info window has been shown and closed.
    int infoWindowShown() const { return infoWindowCloser.closedCount(); }
    // The desktop's clipboard, which the windows of the bed copy to.
    QtClipboard& clipboard() { return clipboard_; }
    // A window on the tables after its first activation, copying to `clipboard` or else to
    // the desktop's.
    std::unique_ptr<TFormNardel> activatedForm(Clipboard* clipboard = nullptr);

private:
    TestTables tables;
    std::unique_ptr<TestSettings> settings_;
    InfoWindowCloser infoWindowCloser;
    QStringList messages_;
    QtClipboard clipboard_;
};
