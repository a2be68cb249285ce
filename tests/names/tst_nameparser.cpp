#include "names/NameParser.h"
#include "names/NameWriter.h"

#include <QTest>

namespace {

// A name's parts as one line: genus|species|rank|infra|species authors|infra authors|
// annotation, hybrid signs glued to their words, "(2 ranks)" after a name that had a higher
// rank left out; or, for what is no name, what it is.
QString partsOf(const BotanicalName& name) {
    switch (name.kind) {
    case BotanicalName::Kind::NoGenus:
        return "no genus";
    case BotanicalName::Kind::Formula:
        return "formula";
    case BotanicalName::Kind::Cultivar:
        return "cultivar";
    case BotanicalName::Kind::Surrogate:
        return "surrogate";
    case BotanicalName::Kind::Unnamed:
        return "unnamed";
    case BotanicalName::Kind::Name:
        break;
    }
    const auto text = [](QByteArrayView word, bool hybrid = false) {
        return (hybrid ? QStringLiteral("×") : QString()) + QString::fromUtf8(word);
    };
    QStringList parts{text(name.genus, name.genusHybrid),
                      text(name.species, name.speciesHybrid),
                      text(name.rank),
                      text(name.infra, name.infraHybrid),
                      text(name.speciesAuthors.text),
                      text(name.infraAuthors.text),
                      text(name.annotation)};
    return parts.join('|') + (name.infraRanks > 1 ? " (2 ranks)" : "");
}

} // namespace

class TestNameParser : public QObject {
    Q_OBJECT

private slots:
    // Each name with its parts, and as the writer writes it again (empty: as it was given).
    void readsAndWritesNames_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("parts");
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char* what, const char* name, const char* parts,
                            const char* written = "") {
            QTest::newRow(what) << QByteArray(name) << QString::fromUtf8(parts)
                                << QByteArray(written);
        };
        row("plain: genus with its author", "Achillea Linnaeus", "Achillea||||Linnaeus||");
        row("plain: accents as written", "Isoëtes lacustris L.", "Isoëtes|lacustris|||L.||");
        row("plain: apostrophe in an epithet", "Lepidium d'urvillei Hook.f.",
            "Lepidium|d'urvillei|||Hook.f.||");
        row("plain: subgenus left out", "Cryptops (Cryptops) aelleni Matic",
            "Cryptops|aelleni|||Matic||", "Cryptops aelleni Matic");
        row("plain: trinomial without rank word", "Aconitum delphinifolium paradoxum",
            "Aconitum|delphinifolium||paradoxum|||");
        row("plain: autonym, author before the rank", "Achillea millefolium L. subsp. millefolium",
            "Achillea|millefolium|subsp.|millefolium|L.||");
        row("plain: filius, not a form", "Aloe ciliaris L. f.", "Aloe|ciliaris|||L. f.||");

        row("hybrid: sign apart", "Aconitum × stoerkianum", "Aconitum|×stoerkianum|||||",
            "Aconitum ×stoerkianum");
        row("hybrid: letter x apart", "Mentha x piperita L.", "Mentha|×piperita|||L.||",
            "Mentha ×piperita L.");
        row("hybrid: nothogenus", "×Achnella caduca Barkworth", "×Achnella|caduca|||Barkworth||");
        row("hybrid: nothogenus as X", "XAgropogon P.Fourn.", "×Agropogon||||P.Fourn.||",
            "×Agropogon P.Fourn.");
        row("hybrid: nothogenus as x", "xAgropogon littoralis (Sm.) C.E.Hubb.",
            "×Agropogon|littoralis|||(Sm.) C.E.Hubb.||", "×Agropogon littoralis (Sm.) C.E.Hubb.");
        row("hybrid: formula of species", "Alchemilla glacialis × pentaphylla", "formula");
        row("hybrid: formula with authors", "Salix aurita L. × S. caprea L.", "formula");

        row("ranks: two, the lowest kept",
            "Polystichum lonchitis Roth var. zonatum Fernald f. parvum (Banker) Clute",
            "Polystichum|lonchitis|f.|parvum|Roth|(Banker) Clute| (2 ranks)",
            "Polystichum lonchitis Roth f. parvum (Banker) Clute");
        row("ranks: fo without its dot", "Poa annua fo varia", "Poa|annua|f.|varia|||",
            "Poa annua f. varia");
        row("ranks: form.", "Abortiporus biennis form. distortus (Schwein.) Pilát",
            "Abortiporus|biennis|f.|distortus||(Schwein.) Pilát|",
            "Abortiporus biennis f. distortus (Schwein.) Pilát");
        row("ranks: fma.", "Salix alba fma. vitellina", "Salix|alba|f.|vitellina|||",
            "Salix alba f. vitellina");
        row("ranks: subspec.", "Poa alpina subspec. vivipara", "Poa|alpina|subsp.|vivipara|||",
            "Poa alpina subsp. vivipara");
        row("ranks: nvar.", "Mentha ×villosa nvar. alopecuroides",
            "Mentha|×villosa|nothovar.|alopecuroides|||",
            "Mentha ×villosa nothovar. alopecuroides");
        row("ranks: convar.", "Brassica oleracea convar. capitata",
            "Brassica|oleracea|convar.|capitata|||");
        row("ranks: proles", "Rubus caesius proles agrestis", "Rubus|caesius|proles|agrestis|||");
        row("ranks: Greek letter", "Pinus sylvestris β rubra", "Pinus|sylvestris|var.|rubra|||",
            "Pinus sylvestris var. rubra");
        row("ranks: glued to the epithet", "Calochortus luteus var.aurantiaca Hoover",
            "Calochortus|luteus|var.|aurantiaca||Hoover|",
            "Calochortus luteus var. aurantiaca Hoover");

        row("authors: particle ten", "Festuca ovina ten Hove", "Festuca|ovina|||ten Hove||");
        row("authors: particle delle", "Laminaria digitata delle Chiaje",
            "Laminaria|digitata|||delle Chiaje||");
        row("authors: particle zur", "Carex flava zur Strassen", "Carex|flava|||zur Strassen||");
        row("authors: particles v d", "Rosa canina v d Boom", "Rosa|canina|||v d Boom||");
        row("authors: basionym in brackets, ampersand",
            "Behuria magdalenensis (Brade) R.Tav. & Baumgratz",
            "Behuria|magdalenensis|||(Brade) R.Tav. & Baumgratz||");
        row("authors: sanctioned", "Boletus edulis Bull.:Fr.", "Boletus|edulis|||Bull.:Fr.||",
            "Boletus edulis Bull. : Fr.");
        row("authors: ex, in, emend., year",
            "Carex nigra (Willd. ex Link in Roth) Host emend. Kük., 1909",
            "Carex|nigra|||(Willd. ex Link in Roth) Host emend. Kük., 1909||",
            "Carex nigra (Willd. ex Link in Roth) Host emend. Kük. 1909");
        row("authors: annotation", "Abies alba Mill., nom. illeg.",
            "Abies|alba|||Mill.||nom. illeg.", "Abies alba Mill. nom. illeg.");
        row("authors: sensu lato", "Rubus fruticosus L. s.l.", "Rubus|fruticosus|||L.||s.l.");
        row("authors: auct.", "Carex muricata auct. non L.", "Carex|muricata|||||auct. non L.");

        row("spaces: no-break and ideographic",
            "Abies\xC2\xA0"
            "alba\xE3\x80\x80Mill.",
            "Abies|alba|||Mill.||", "Abies alba Mill.");
        row("spaces: none before a bracket or after it",
            "Cercospora dendrobii(H.C. Burnett)U. Braun",
            "Cercospora|dendrobii|||(H.C. Burnett) U. Braun||",
            "Cercospora dendrobii (H.C. Burnett) U. Braun");

        row("no name: Incertae sedis", "Incertae sedis", "unnamed");
        row("no name: None recorded", "None recorded", "unnamed");
        row("no name: sp.", "Xenodon sp", "surrogate");
        row("no name: cf.", "Abies cf. alba", "surrogate");
        row("no name: cultivar", "Acer palmatum 'Atropurpureum'", "cultivar");
        row("no name: lower case", "incertae-sedis alba", "no genus");
        row("no name: abbreviated genus, rank and one letter", "P. abies subsp. x L.",
            "P.|abies|subsp.|x||L.|");
    }
    void readsAndWritesNames() {
        QFETCH(QByteArray, name);
        QFETCH(QString, parts);
        QFETCH(QByteArray, written);
        const BotanicalName parsed = parseName(QByteArrayView(name));
        QCOMPARE(partsOf(parsed), parts);
        // A copied text reads the same.
        QCOMPARE(partsOf(parseName(QString::fromUtf8(name))), parts);
        if (parsed.kind == BotanicalName::Kind::Name)
            QCOMPARE(writeName(parsed), written.isEmpty() ? name : written);
    }
};

QTEST_GUILESS_MAIN(TestNameParser)
#include "tst_nameparser.moc"
