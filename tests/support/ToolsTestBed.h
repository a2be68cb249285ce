#pragma once

#include "platform/MessageBox.h"
#include "store/NameSource.h"
#include "support/TestTables.h"

#include <QStringList>

// What a tool window or export meets in a test: its own table folder, the connection to it as
// the main window opens it, and the texts of the message boxes it shows, caught.
class ToolsTestBed {
public:
    explicit ToolsTestBed(const QStringList& nameRows, const QStringList& synonymRows = {}) {
        tables.importRows(nameRows, synonymRows);
        source.connectToFolder(tables.folder() + u'/');
        MessageBox::setSink([this](MessageBox::Kind, const QString&, const QString& text) {
            messages.append(text);
        });
    }
    ~ToolsTestBed() { MessageBox::setSink({}); }

    TestTables tables;
    NameSource source;
    QStringList messages;
};
