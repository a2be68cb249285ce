#pragma once

#include "store/NameList.h"

#include <QString>
#include <QStringList>
#include <future>

// A list read on a connection and a thread of its own while the program goes on with other
// work, so that the list is ready when it is first shown.
class ListReadAhead {
public:
    struct Request {
        QString folder;        // the table folder, ending in '/'
        QStringList passwords; // the session's table passwords
        QStringList sql;       // the list query's lines, tables named by file
        QString textField;
        QString pageField;
    };

    explicit ListReadAhead(Request request);
    // Waits for the read to end.
    ~ListReadAhead() = default;

    // Waits for the list; throws the EngineError that ended the read.
    NameList take() { return m_list.get(); }

private:
    std::future<NameList> m_list;
};
