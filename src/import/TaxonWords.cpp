#include "import/TaxonWords.h"

#include "names/NameWords.h"

#include <QHash>
#include <QString>

namespace TaxonWords {
namespace {

// Lower case, '_' and '-' as spaces, spaces single, no dot at the end.
QString normal(QByteArrayView word) {
    QString text = QString::fromUtf8(word).toLower();
    text.replace('_', ' ').replace('-', ' ');
    return text.simplified();
}

const QHash<QString, Status>& statuses() {
    static const QHash<QString, Status> words = [] {
        QHash<QString, Status> all;
        for (const char* word :
             {"accepted", "accepted name", "valid", "valid name", "provisionally accepted",
              "provisionally accepted name", "correct", "correct name", "nome aceito", "aceito",
              "aceptado", "nombre aceptado", "válido", "valido", "accepté", "akzeptiert", "gültig",
              "přijatý", "platný"})
            all.insert(QString::fromUtf8(word), Status::Accepted);
        for (const char* word : {"synonym",
                                 "heterotypic synonym",
                                 "homotypic synonym",
                                 "proparte synonym",
                                 "pro parte synonym",
                                 "proparte",
                                 "pro parte",
                                 "ambiguous synonym",
                                 "intermediate rank synonym",
                                 "objective synonym",
                                 "subjective synonym",
                                 "nomenclatural synonym",
                                 "taxonomic synonym",
                                 "junior synonym",
                                 "synonym sl",
                                 "misapplied",
                                 "misapplied name",
                                 "invalid",
                                 "invalid name",
                                 "illegitimate",
                                 "illegitimate name",
                                 "orthographic",
                                 "orthographic variant",
                                 "lexical variant",
                                 "chresonym",
                                 "sinonimo",
                                 "sinônimo",
                                 "sinónimo",
                                 "sinonimo heterotipico",
                                 "sinonimo homotipico",
                                 "synonyme",
                                 "synonymum",
                                 "synonymum heterotypicum",
                                 "synonymum homotypicum",
                                 "synonymum pro parte"})
            all.insert(QString::fromUtf8(word), Status::Synonym);
        return all;
    }();
    return words;
}

const QHash<QString, Rank>& ranks() {
    static const QHash<QString, Rank> words = [] {
        QHash<QString, Rank> all;
        const auto add = [&all](int level, const char* word,
                                std::initializer_list<const char*> spellings) {
            for (const char* spelling : spellings)
                all.insert(QString::fromUtf8(spelling), Rank{level, QByteArray(word)});
        };
        add(0, "",
            {"genus", "gen.", "gen", "nothogenus", "genero", "género", "gênero", "gattung", "genre",
             "rod"});
        add(1, "",
            {"species", "sp.", "sp", "spec.", "nothospecies", "especie", "espécie", "espece",
             "espèce", "art", "druh"});
        // The spellings that names also use are the names library's (NameWords::rankOf).
        add(2, "subsp.",
            {"sub especie", "subespecie", "subespécie", "sous espèce", "unterart", "poddruh"});
        add(2, "nothosubsp.", {"nothosubspecies"});
        add(2, "var.", {"variedade", "variedad", "variété", "varietät", "varieta", "odrůda"});
        add(2, "nothovar.", {"nothovariety"});
        add(2, "subvar.", {"subvariety"});
        add(2, "f.", {"form", "forme"});
        add(2, "subf.", {"subform"});
        add(2, "nothof.", {"nothoform"});
        add(2, "", {"infraspecific name", "infraspecies", "infraspecific", "infraspecific taxon"});
        add(-1, "",
            {"domain",
             "superkingdom",
             "kingdom",
             "regnum",
             "subkingdom",
             "superphylum",
             "phylum",
             "subphylum",
             "infraphylum",
             "division",
             "divisio",
             "subdivision",
             "superclass",
             "class",
             "classis",
             "subclass",
             "infraclass",
             "superorder",
             "order",
             "ordo",
             "suborder",
             "infraorder",
             "superfamily",
             "family",
             "familia",
             "fam.",
             "subfamily",
             "subfamilia",
             "infrafamily",
             "tribe",
             "tribus",
             "subtribe",
             "subtribus",
             "subgenus",
             "subg.",
             "infragenus",
             "section",
             "sectio",
             "sect.",
             "subsection",
             "subsectio",
             "subsect.",
             "series",
             "ser.",
             "subseries",
             "aggregate",
             "agg.",
             "species aggregate",
             "infrageneric name",
             "suprageneric name",
             "unranked",
             "clade",
             "group"});
        return all;
    }();
    return words;
}

// The few words of a column repeat on every row: each is worked out once, from its normal
// form, and the row before mostly has the same word.
template <typename Value>
struct Seen {
    QHash<QByteArray, Value> all;
    QByteArray last;
    Value lastValue{};
};

template <typename Value, typename Meaning>
Value cached(QByteArrayView word, Seen<Value>& seen, Meaning meaning) {
    if (!seen.last.isNull() && word == seen.last)
        return seen.lastValue;
    const auto found = seen.all.constFind(QByteArray::fromRawData(word.data(), word.size()));
    const Value value = found != seen.all.constEnd() ? *found : meaning(normal(word));
    if (found == seen.all.constEnd() && seen.all.size() < 1000)
        seen.all.insert(word.toByteArray(), value);
    seen.last = word.toByteArray();
    seen.lastValue = value;
    return value;
}

} // namespace

Status status(QByteArrayView word) {
    static thread_local Seen<Status> seen;
    return cached(word, seen,
                  [](const QString& text) { return statuses().value(text, Status::Unknown); });
}

Rank rank(QByteArrayView word) {
    static thread_local Seen<Rank> seen;
    return cached(word, seen, [](const QString& text) {
        const Rank found = ranks().value(text, Rank{});
        if (found.level != unknownRank)
            return found;
        const QByteArrayView inName = NameWords::rankOf(text.toUtf8());
        return inName.isEmpty() ? found : Rank{2, inName.toByteArray()};
    });
}

bool isPlantKingdom(QByteArrayView word) {
    static thread_local Seen<bool> seen;
    return cached(word, seen, [](const QString& text) {
        return text == QLatin1String("plantae") || text == QLatin1String("plants") ||
               text == QLatin1String("plant") || text == QLatin1String("viridiplantae");
    });
}

bool isNullMark(QByteArrayView field) {
    return field == "\\N" || field == "/N" || field.compare("NULL", Qt::CaseInsensitive) == 0;
}

} // namespace TaxonWords
