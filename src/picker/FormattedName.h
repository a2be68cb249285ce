#pragma once

#include "picker/NameText.h"

#include <QList>
#include <QString>

// A stretch of the formatted name that is set in italic or upright.
struct TextRun {
    qsizetype start = 0;
    qsizetype length = 0;
    bool italic = false;

    bool operator==(const TextRun&) const = default;
};

// The name as formatted output writes it: the text and its runs, which cover it in order.
struct FormattedName {
    QString text;
    QList<TextRun> runs;
};

// Composes the formatted name for level 0 (genus), 1 (species) or 2 (subspecies): the name
// words italic, each author upright together with the one character after it. Rank words
// (subsp., var., f. ...) and the hybrid sign are upright too, as botanical typesetting sets
// them. Unlike the plain name, a part whose list shows no text adds nothing.
FormattedName composeFormattedName(int level, const NameTextInput& input);
