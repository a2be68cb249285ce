#pragma once

#include <QString>
#include <QStringList>
#include <QTest>
#include <unistd.h>

// Runs the current test function, with its current data row, again in a copy of this test
// program as user nobody; gives the copy's output when it fails, else an empty text.
QString rerunAsNobody();
bool canRunAsNobody();

// Root may write anywhere: as root, a case about files the user may not write runs again as
// user nobody, and the copy's verdict ends it; as anyone else the case goes on here.
#define NARDEL_RUN_AS_NOBODY_WHEN_ROOT()                                                           \
    do {                                                                                           \
        if (::geteuid() == 0) {                                                                    \
            if (!canRunAsNobody())                                                                 \
                QSKIP("as root the case needs setpriv to run as user nobody");                     \
            const QString failure = rerunAsNobody();                                               \
            QVERIFY2(failure.isEmpty(), qPrintable(failure));                                      \
            return;                                                                                \
        }                                                                                          \
    } while (false)
