#pragma once

#include <QList>
#include <QString>

// A stretch of formatted text that is set in italic or upright.
struct TextRun {
    qsizetype start = 0;
    qsizetype length = 0;
    bool italic = false;

    bool operator==(const TextRun&) const = default;
};

// Text as formatted output writes it: the text and its runs, which cover it in order.
struct FormattedText {
    QString text;
    QList<TextRun> runs;
};
