#pragma once

#include "names/NameCatalog.h"

#include <QByteArrayView>
#include <QList>
#include <array>
#include <span>

// A stretch of a UTF-8 text: its bytes from start up to end.
struct TextSpan {
    qsizetype start = 0;
    qsizetype end = 0;
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

// A plant name found in a text.
struct FoundName {
    enum class Status {
        Accepted,
        Synonym,
        Misspelling, // no name of the catalog fits exactly; `id` is the one suggested
        Unknown,     // a genus of the catalog with an epithet it does not know
    };

    TextSpan range; // the name as written, its authors included where the text has them
    int line = 1;   // of its first word, from 1
    Status status = Status::Accepted;
    NameCatalog::Id id = NameCatalog::noId; // none for Unknown
    bool withAuthors = false;
    // What is set in italics: the genus or its abbreviation, the epithet, the epithet below
    // the species. A word broken at a line end is two spans, one on each line.
    std::span<const TextSpan> words() const { return std::span(spans).first(size_t(spanCount)); }

    // In place, so that a list of found names grows by copying bytes.
    std::array<TextSpan, 6> spans;
    int spanCount = 0;
};

// Every name of the catalog in a text (in UTF-8), in the order of the text and without
// overlaps: names as the catalog has them, with or without authors, with a genus written out
// or abbreviated ("P. abies"), broken over lines; a genus alone where it is clearly meant as
// one ("Carex sp.", with its authors, or in italics); with `misspellings`, names a letter or
// two off those of the catalog. `italics` are the stretches of the text that its document set
// in italics, if any.
QList<FoundName> findNames(const NameCatalog& catalog, QByteArrayView utf8,
                           const QList<TextSpan>& italics, bool misspellings);
