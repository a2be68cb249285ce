#include "names/NameCatalog.h"
#include "names/NamesInText.h"
#include "support/SmallCatalog.h"

#include <QTest>

namespace {

// The text without its italic marks (*), and the stretches they marked.
QByteArray withoutMarks(const QByteArray& marked, QList<TextSpan>& italics) {
    QByteArray text;
    for (const char c : marked) {
        if (c != '*') {
            text += c;
        } else if (italics.isEmpty() || italics.back().end >= 0) {
            italics.append({text.size(), -1});
        } else {
            italics.back().end = text.size();
        }
    }
    return text;
}

// A found name as one line: its range as written with its name words between underscores
// and line breaks as "|", then what it is, the catalog's name and its first line.
QString described(const FoundName& found, const QByteArray& text) {
    QByteArray written;
    for (qsizetype at = found.range.start; at < found.range.end; ++at) {
        for (const TextSpan& word : found.words()) {
            if (word.start == at || word.end == at)
                written += '_';
        }
        written += text[at] == '\n' ? '|' : text[at];
    }
    for (const TextSpan& word : found.words()) {
        if (word.end == found.range.end)
            written += '_';
    }
    const NameCatalog& names = smallCatalog();
    QString what;
    switch (found.status) {
    case FoundName::Status::Accepted:
        what = "accepted " + names.written(found.id, false);
        break;
    case FoundName::Status::Synonym: {
        const NameCatalog::Id accepted = names.name(found.id).accepted;
        what =
            "synonym " + names.written(found.id, false) + " -> " +
            (accepted == NameCatalog::noId ? QByteArray("none") : names.written(accepted, false));
        break;
    }
    case FoundName::Status::Misspelling:
        what = "misspelling -> " + names.written(found.id, false);
        break;
    case FoundName::Status::Unknown:
        what = found.id == NameCatalog::noId ? "unknown" : "unknown with an id";
        break;
    }
    return QString::fromUtf8(written) + " = " + what + (found.withAuthors ? ", authors" : "") +
           " @" + QString::number(found.line);
}

} // namespace

class TestNamesInText : public QObject {
    Q_OBJECT

private slots:
    // Each text (italics between *) with the names found in it, one after another.
    void findsNames_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("misspellings");
        QTest::addColumn<QStringList>("found");
        const auto row = [](const char* what, const char* text, QStringList found,
                            bool misspellings = false) {
            QTest::addRow("%s", what) << QByteArray(text) << misspellings << found;
        };
        row("exact: in brackets in Czech prose", "Smrk ztepilý (Picea abies) roste v horách.",
            {"_Picea_ _abies_ = accepted Picea abies @1"});
        row("exact: a full stop, then the next name", "Rostou zde Picea abies. Larix decidua též.",
            {"_Picea_ _abies_ = accepted Picea abies @1",
             "_Larix_ _decidua_ = accepted Larix decidua @1"});
        row("exact: subspecies with its authors",
            "Galium album subsp. pycnotrichum (Heinr.Braun) Krendl grows here",
            {"_Galium_ _album_ subsp. _pycnotrichum_ (Heinr.Braun) Krendl = accepted Galium "
             "album subsp. pycnotrichum, authors @1"});
        row("exact: rank spelled ssp", "Galium album ssp. pycnotrichum, rare",
            {"_Galium_ _album_ ssp. _pycnotrichum_ = accepted Galium album subsp. pycnotrichum "
             "@1"});
        row("exact: variety after the species' authors", "see Poa alpina L. var. vivipara L. too",
            {"_Poa_ _alpina_ L. var. _vivipara_ L. = accepted Poa alpina var. vivipara, authors "
             "@1"});
        row("exact: autonym", "Achillea millefolium subsp. millefolium",
            {"_Achillea_ _millefolium_ subsp. _millefolium_ = accepted Achillea millefolium "
             "subsp. millefolium @1"});
        row("exact: hybrid sign apart", "Mentha × piperita",
            {"_Mentha_ × _piperita_ = accepted Mentha ×piperita @1"});
        row("exact: hybrid sign as the letter x", "Mentha x piperita L.",
            {"_Mentha_ x _piperita_ L. = accepted Mentha ×piperita, authors @1"});
        row("exact: hybrid sign glued", "Abies ×borisii-regis Mattf.",
            {"_Abies_ ×_borisii-regis_ Mattf. = accepted Abies ×borisii-regis, authors @1"});
        row("exact: nothogenus", "and ×Agropogon littoralis.",
            {"×_Agropogon_ _littoralis_ = accepted ×Agropogon littoralis @1"});
        row("exact: Unicode spaces",
            "Picea\xC2\xA0"
            "abies\xE2\x80\x89(L.)\xE2\x80\xAFH.Karst. roste",
            {"_Picea_\xC2\xA0_abies_\xE2\x80\x89(L.)\xE2\x80\xAFH.Karst. = accepted Picea abies, "
             "authors @1"});
        row("exact: genus with sp.", "Pinus sp. a Pinus spp.",
            {"_Pinus_ sp. = accepted Pinus @1", "_Pinus_ spp. = accepted Pinus @1"});
        row("exact: genus in italics alone", "*Iris* kvete", {"_Iris_ = accepted Iris @1"});
        row("exact: genus with its author", "Abies Mill. je rod",
            {"_Abies_ Mill. = accepted Abies, authors @1"});

        row("abbreviated: after its genus", "Picea abies roste. P. omorika také.",
            {"_Picea_ _abies_ = accepted Picea abies @1",
             "_P._ _omorika_ = accepted Picea omorika @1"});
        row("abbreviated: below the species, at a sentence's end",
            "Galium album roste. G. album subsp. pycnotrichum.",
            {"_Galium_ _album_ = accepted Galium album @1",
             "_G._ _album_ subsp. _pycnotrichum_ = accepted Galium album subsp. pycnotrichum @1"});
        row("abbreviated: the nearest genus of its letter", "Picea abies, Pinus mugo a P. abies",
            {"_Picea_ _abies_ = accepted Picea abies @1", "_Pinus_ _mugo_ = accepted Pinus mugo @1",
             "_P._ _abies_ = synonym Pinus abies -> Picea abies @1"});
        row("abbreviated: the only genus of its letter with the epithet",
            "Picea abies a P. sylvestris",
            {"_Picea_ _abies_ = accepted Picea abies @1",
             "_P._ _sylvestris_ = accepted Pinus sylvestris @1"});
        row("abbreviated: no genus written, one in the catalog", "L. decidua",
            {"_L._ _decidua_ = accepted Larix decidua @1"});
        row("abbreviated: no genus written, two in the catalog", "A. alba", {});
        row("abbreviated: two letters", "Picea abies a Phyllostachys nigra; Ph. aurea",
            {"_Picea_ _abies_ = accepted Picea abies @1",
             "_Phyllostachys_ _nigra_ = accepted Phyllostachys nigra @1",
             "_Ph._ _aurea_ = accepted Phyllostachys aurea @1"});
        row("abbreviated: a person's initial", "J. Smith a P. Novák", {});

        row("hyphenated: epithet at a line end", "Cymbidium pul-\ncheilum Förther kvete",
            {"_Cymbidium_ _pul_-|_cheilum_ Förther = accepted Cymbidium pulcheilum, authors @1"});
        row("hyphenated: genus at a line end", "Lar-\nix decidua",
            {"_Lar_-|_ix_ _decidua_ = accepted Larix decidua @1"});
        row("hyphenated: at the epithet's own hyphen", "Abies borisii-\nregis",
            {"_Abies_ _borisii_-|_regis_ = accepted Abies ×borisii-regis @1"});
        row("hyphenated: soft hyphen", "Larix deci\xC2\xAD\ndua",
            {"_Larix_ _deci_\xC2\xAD|_dua_ = accepted Larix decidua @1"});
        row("hyphenated: no line break, no word", "Cymbidium pul- cheilum", {});

        row("authors: the catalog's, without a dot", "Pinus mugo Turra roste",
            {"_Pinus_ _mugo_ Turra = accepted Pinus mugo, authors @1"});
        row("authors: the catalog's, with brackets and diacritics",
            "Picea omorika (Pančić) Purk. je endemit",
            {"_Picea_ _omorika_ (Pančić) Purk. = accepted Picea omorika, authors @1"});
        row("authors: a dotted author, not the prose after it", "Larix decidua Mill. in Europe",
            {"_Larix_ _decidua_ Mill. = accepted Larix decidua, authors @1"});
        row("authors: a capitalised word that is no author", "Larix decidua Lamarck described",
            {"_Larix_ _decidua_ = accepted Larix decidua @1"});
        row("authors: brackets without authors", "Picea abies (smrk) roste",
            {"_Picea_ _abies_ = accepted Picea abies @1"});
        row("authors: a synonym's, in brackets and ex",
            "Abies pectinata (Lam.) DC. ex Spreng., 1820",
            {"_Abies_ _pectinata_ (Lam.) DC. ex Spreng. = synonym Abies pectinata -> Abies alba, "
             "authors @1"});
        row("authors: the next name's abbreviated genus", "Picea abies L. decidua",
            {"_Picea_ _abies_ = accepted Picea abies @1",
             "_L._ _decidua_ = accepted Larix decidua @1"});

        row("synonyms: species", "Abies pectinata roste",
            {"_Abies_ _pectinata_ = synonym Abies pectinata -> Abies alba @1"});
        row("synonyms: variety of a species not in the catalog", "Abalon albiflorum var. obovatum",
            {"_Abalon_ _albiflorum_ var. _obovatum_ = synonym Abalon albiflorum var. obovatum -> "
             "Poa alpina var. vivipara @1"});
        row("synonyms: genus known only from synonyms", "Abalon sp.",
            {"_Abalon_ sp. = synonym Abalon -> none @1"});

        row("misspellings: epithet a letter off", "Picea omorica roste",
            {"_Picea_ _omorica_ = misspelling -> Picea omorika @1"}, true);
        row("misspellings: long epithet two letters off", "Pinus silvestrys",
            {"_Pinus_ _silvestrys_ = misspelling -> Pinus sylvestris @1"}, true);
        row("misspellings: genus a letter off", "Pices abies",
            {"_Pices_ _abies_ = misspelling -> Picea abies @1"}, true);
        row("misspellings: abbreviated", "Picea abies a P. omorica",
            {"_Picea_ _abies_ = accepted Picea abies @1",
             "_P._ _omorica_ = misspelling -> Picea omorika @1"},
            true);
        row("misspellings: not when not asked", "Picea omorica a Pices abies", {});
        row("misspellings: short words of prose", "Iris said that Rosa roste", {}, true);
        row("misspellings: an exact name is none", "Pinus mugo",
            {"_Pinus_ _mugo_ = accepted Pinus mugo @1"}, true);

        row("unknown: in italics", "*Abies nova* je nový druh", {"_Abies_ _nova_ = unknown @1"});
        row("unknown: a known epithet with authors", "Picea alba Mill.",
            {"_Picea_ _alba_ Mill. = unknown, authors @1"});
        row("not names: an ordinary word before an initial", "Iris said L. Smith came", {});
        row("not names: genus and an ordinary word", "Iris said nothing", {});
        row("not names: a place", "Valdivia is a city in Chile", {});
        row("not names: a person", "Iris Murdoch wrote", {});
        row("not names: an unknown epithet in prose", "Abies grandis roste", {});

        row("lines: each name's line", "Picea abies\nje smrk.\r\nLarix decidua\rje. Pinus mugo",
            {"_Picea_ _abies_ = accepted Picea abies @1",
             "_Larix_ _decidua_ = accepted Larix decidua @3",
             "_Pinus_ _mugo_ = accepted Pinus mugo @4"});
        row("lines: a name over a line break", "x\nPicea\nabies",
            {"_Picea_|_abies_ = accepted Picea abies @2"});
    }
    void findsNames() {
        QFETCH(QByteArray, text);
        QFETCH(bool, misspellings);
        QFETCH(QStringList, found);
        QList<TextSpan> italics;
        const QByteArray plain = withoutMarks(text, italics);
        QStringList names;
        for (const FoundName& name : findNames(smallCatalog(), plain, italics, misspellings))
            names.append(described(name, plain));
        QCOMPARE(names, found);
    }
};

QTEST_GUILESS_MAIN(TestNamesInText)
#include "tst_namesintext.moc"
