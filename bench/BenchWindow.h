#pragma once

#include "picker/FNardel.h"
#include "support/TestSettings.h"

#include <QString>
#include <memory>

class Clipboard;
class QComboBox;
class QLabel;

// Main windows on a table folder as the benchmark drives them: a settings root of their own,
// the program info window closed as its user closes it, and any message box ending the run
// (the lists would not be what is measured).
class BenchWindow {
public:
    explicit BenchWindow(const QString& folder);

    // A window shown and through its first activation: its genus list is filled.
    std::unique_ptr<TFormNardel> activated(Clipboard& clipboard);
    // A new window that has opened its tables and filled nothing: the state at the start.
    std::unique_ptr<TFormNardel> created(Clipboard& clipboard);

private:
    QString m_folder;
    TestSettings m_settings;
    InfoWindowCloser m_infoWindowCloser;
};

// Selects an entry of a list by its text, as a pick would, without the pick's handler.
void select(QComboBox* list, const QString& text);
// The record count that a window shows beside a list; it must be `rows`.
void checkCount(const QLabel* countLabel, long rows);
