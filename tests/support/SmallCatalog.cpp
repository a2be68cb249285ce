#include "support/SmallCatalog.h"

// A few genera of the world checklist with some of their names and synonyms; a synonym
// points where a row below needs it.
const NameCatalog& smallCatalog() {
    static const NameCatalog built = [] {
        NameCatalog names;
        const auto species = [&](const char* genus, const char* epithet, const char* authors) {
            return names.addAccepted(genus, epithet, {}, authors);
        };
        for (const char* genus :
             {"Abies", "Picea", "Pinus", "Larix", "Iris", "Cymbidium", "Mentha", "Galium",
              "Achillea", "Artemisia", "Poa", "Valdivia", "Rosa", "Phyllostachys", "×Agropogon"})
            names.addAccepted(genus, {}, {}, {});
        const NameCatalog::Id alba = species("Abies", "alba", "Mill.");
        species("Abies", "×borisii-regis", "Mattf.");
        const NameCatalog::Id abies = species("Picea", "abies", "(L.) H.Karst.");
        species("Picea", "omorika", "(Pančić) Purk.");
        species("Pinus", "sylvestris", "L.");
        species("Pinus", "mugo", "Turra");
        species("Larix", "decidua", "Mill.");
        species("Iris", "germanica", "L.");
        species("Iris", "sari", "Schott ex Baker");
        species("Cymbidium", "pulcheilum", "Förther");
        species("Mentha", "×piperita", "L.");
        species("Galium", "album", "Mill.");
        names.addAccepted("Galium", "album", "subsp. pycnotrichum", "(Heinr.Braun) Krendl");
        species("Achillea", "millefolium", "L.");
        names.addAccepted("Achillea", "millefolium", "subsp. millefolium", {});
        species("Artemisia", "alba", "Turra");
        species("Poa", "alpina", "L.");
        const NameCatalog::Id vivipara = names.addAccepted("Poa", "alpina", "var. vivipara", "L.");
        species("Valdivia", "gayana", "J.Rémy");
        species("Rosa", "rostea", "Fictus");
        species("Phyllostachys", "aurea", "Rivière & C.Rivière");
        species("Phyllostachys", "nigra", "(Lodd. ex Lindl.) Munro");
        species("×Agropogon", "littoralis", "(Sm.) C.E.Hubb.");
        names.addSynonym("Abies pectinata", alba);
        names.addSynonym("Pinus abies", abies);
        names.addSynonym("Abalon albiflorum var. obovatum", vivipara);
        names.addSynonym("not a name", alba);
        names.finish();
        return names;
    }();
    return built;
}
