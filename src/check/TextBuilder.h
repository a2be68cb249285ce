#pragma once

#include "check/StyledText.h"

#include <QString>
#include <QStringView>

// Builds a StyledText from pieces of text and their italic state. A piece is held until the
// state changes, so that pieces may be single characters.
class TextBuilder {
public:
    // The text as it is.
    void append(QStringView text, bool italic);
    // Text of markup whose white space is only a gap: a run of it shows as one space, and
    // none at the start or the end of a line (as HTML and ODF lay text out).
    void appendCollapsing(QStringView text, bool italic);
    // What follows begins on a line of its own.
    void endParagraph();
    void lineBreak(bool italic);
    StyledText take();

private:
    void flush();
    bool atLineStart() const;

    StyledText text_;
    QString run_; // held text, all of it in runItalic_
    bool runItalic_ = false;
    bool breakPending_ = false;
    bool spacePending_ = false;
    bool spaceItalic_ = false;
};
