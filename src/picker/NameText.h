#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the name text is composed from: the selected entry of each list (empty text when no
// entry or the blank first entry is selected), the pages of every entry, indexed like the
// lists, and the authors of the selected entries.
struct NameTextInput {
    QString genus;
    int genusIndex = -1;
    QString species;
    int speciesIndex = -1;
    QString subsp;
    int subspIndex = -1;
    bool authors = false;
    const QList<int>& genusPages;
    const QList<int>& speciesPages;
    const QList<int>& subspPages;
    QString speciesAuthor; // of the selected species
    QString subspAuthor;   // of the selected subspecies
    const QString& citation;
    bool pages = true; // whether the checklist cites pages; without, the label is the citation
};

struct NameText {
    QString name;      // the plain name down to the requested level
    QString pageLabel; // the citation with the page of each chosen taxon, where there are pages
};

// Composes the name for level 0 (genus), 1 (species) or 2 (subspecies). A part whose list
// shows no text still gets its separating blank; each page is written only when it differs
// from the page of the level above it.
NameText composeNameText(int level, const NameTextInput& input);
