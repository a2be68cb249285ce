#pragma once

#include "store/Query.h"

#include <QString>
#include <optional>

class NameSource;

// What the clipboard watch finds for a copied text read as a botanist writes a name: "P.
// abies", "Picea abies (L.) H.Karst.", "Poa annua fo varia", a synonym. Reads the tables; no
// window.
class SmartLookup {
public:
    struct Match {
        // The name of the tables to select, at its own level (0 genus, 1 species, 2 below).
        int level = 0;
        QString genus, species, subsp;
        // The copied name, when it is a synonym of the name found; else empty.
        QString synonym;
    };

    explicit SmartLookup(NameSource& source);

    // None when the text is no name; a match with an empty genus when the tables hold no such
    // name. An abbreviated genus is `selectedGenus` when that begins with its letter and holds
    // the epithet, else the one genus of that letter that holds it. Throws EngineError.
    std::optional<Match> find(const QString& text, const QString& selectedGenus);

    // The text of a match as the status line tells it: "Picea excelsa → Picea abies".
    static QString described(const Match& match);

private:
    // "Genus species [rank infra]", as far as the name's level goes.
    static QString nameText(const Match& name);
    bool holds(const Match& name);
    // The genera of a letter that hold the species epithet.
    QStringList generaHolding(const QString& letter, const QString& species);
    std::optional<Match> acceptedNameOf(const QString& synonym);

    Query names_;
    Query genera_;
    Query synonyms_;
    Query accepted_;
};
