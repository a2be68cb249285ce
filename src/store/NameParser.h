#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The parts of a scientific name as a checklist writes it whole: "Achillea lanulosa Nuttall
// var. lanulosa", "Aconitum × stoerkianum", "Behuria magdalenensis (Brade) R.Tav. &
// Baumgratz". A hybrid sign standing apart is joined to its word ("×stoerkianum"); a subgenus
// in parentheses is left out.
struct NameParts {
    QByteArray genus;
    QByteArray species;
    QByteArray rankWord; // "subsp.", "var." ...; empty for a trinomial written without one
    QByteArray infra;
    QByteArray speciesAuthor; // or the genus's author, for a genus
    QByteArray infraAuthor;
    bool formula = false; // a hybrid formula ("Alchemilla glacialis × pentaphylla")
    bool understood = false; // the name begins with a genus

    bool isAutonym() const;
};

NameParts parseName(QByteArrayView name);

// The text with runs of white space as single spaces and none at the ends. A text that is
// tidy already is not copied: the result is valid as long as the text.
QByteArray tidyName(QByteArrayView text);
