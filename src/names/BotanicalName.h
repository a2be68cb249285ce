#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Who published a name, in the parts of a botanical author citation. "Willd. ex Spreng." has
// the authors "Spreng." and ex-authors "Willd."; "Fr. in Hook. : Fr." the work's authors
// "Hook." and the sanctioning author "Fr.".
struct AuthorTeam {
    QByteArrayView authors;
    QByteArrayView exAuthors;
    QByteArrayView inAuthors;
    QByteArrayView emendedBy;
    QByteArrayView sanctioning;
    QByteArrayView year;

    bool isEmpty() const { return authors.isEmpty() && exAuthors.isEmpty(); }
};

// The authorship of one name: the whole citation with single spaces, and from it the
// basionym's authors (in brackets) and the combination's. The import needs only the text: the
// teams are read from it when asked.
struct Authorship {
    QByteArrayView text;

    AuthorTeam basionym() const;
    AuthorTeam combination() const;
};

// A botanical name read from text in UTF-8: a genus alone, a species, or a name below the
// species with the lowest rank that has its own epithet. Epithets and authors are views into
// the text parsed, or into the name's own memory where their words had to be joined anew;
// the name must not outlive the text it was parsed from. Hybrid signs are flags beside the
// words they belong to.
struct BotanicalName {
    enum class Kind {
        Name,
        NoGenus,   // does not begin with a genus
        Formula,   // a hybrid formula: "Salix aurita L. × S. caprea L."
        Cultivar,  // a cultivar's epithet: "Acer palmatum 'Atropurpureum'"
        Surrogate, // stands for an unnamed taxon: "Carex sp.", "Abies cf. alba"
        Unnamed,   // a placeholder, not a name: "Incertae sedis", "None recorded"
    };

    Kind kind = Kind::NoGenus;
    QByteArrayView genus;
    bool genusHybrid = false;      // a nothogenus: ×Agropogon
    bool genusAbbreviated = false; // "P." of "P. abies"
    QByteArrayView species;
    bool speciesHybrid = false;
    QByteArrayView rank; // "subsp.", "var.", "f." ...; empty for a trinomial without one
    QByteArrayView infra;
    bool infraHybrid = false;
    int infraRanks = 0;        // more than 1: the name had higher infraspecific ranks, left out
    Authorship speciesAuthors; // or the genus's, for a genus alone
    Authorship infraAuthors;
    QByteArrayView annotation; // "nom. illeg.", "s.l.", "auct. non L." ...

    bool isAutonym() const;

private:
    // Room for the words that the parser joins anew.
    char* compose(qsizetype size) {
        own_ = QByteArray(size, Qt::Uninitialized);
        return own_.data();
    }

    // The words joined anew, or the copy of a text that was not in UTF-8.
    QByteArray own_;
    friend BotanicalName parseName(QByteArrayView utf8);
    friend BotanicalName parseName(const QString& text);
};
