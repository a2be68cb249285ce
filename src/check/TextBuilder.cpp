#include "check/TextBuilder.h"

#include <utility>

namespace {

bool isGap(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

} // namespace

void TextBuilder::append(QStringView text, bool italic) {
    if (text.isEmpty())
        return;
    if (breakPending_) {
        breakPending_ = false;
        append(u"\n", false);
    }
    if (spacePending_) {
        spacePending_ = false;
        if (!atLineStart())
            append(u" ", spaceItalic_);
    }
    if (italic != runItalic_)
        flush();
    runItalic_ = italic;
    run_ += text;
}

void TextBuilder::appendCollapsing(QStringView text, bool italic) {
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!isGap(text[at]))
            continue;
        append(text.sliced(start, at - start), italic);
        start = at + 1;
        if (!spacePending_) {
            spacePending_ = true;
            spaceItalic_ = italic;
        }
    }
    append(text.sliced(start), italic);
}

void TextBuilder::endParagraph() {
    spacePending_ = false;
    if (!atLineStart())
        breakPending_ = true;
}

void TextBuilder::lineBreak(bool italic) {
    spacePending_ = false;
    append(u"\n", italic);
}

bool TextBuilder::atLineStart() const {
    if (breakPending_)
        return true;
    if (!run_.isEmpty())
        return run_.back() == u'\n';
    return text_.utf8.isEmpty() || text_.utf8.back() == '\n';
}

void TextBuilder::flush() {
    // An optional hyphen only marks where a word may break; the word goes without it.
    run_.remove(QChar(0x00AD));
    if (run_.isEmpty())
        return;
    const qsizetype start = text_.utf8.size();
    text_.utf8 += run_.toUtf8();
    run_.clear();
    if (!runItalic_)
        return;
    if (!text_.italics.isEmpty() && text_.italics.last().end == start)
        text_.italics.last().end = text_.utf8.size();
    else
        text_.italics.append({start, text_.utf8.size()});
}

StyledText TextBuilder::take() {
    flush();
    breakPending_ = spacePending_ = false;
    return std::exchange(text_, {});
}
