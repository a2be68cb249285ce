#include "import/ArchiveImport.h"
#include "import/ChecklistCitation.h"
#include "import/ImportError.h"
#include "import/Spool.h"
#include "import/SynonymLinks.h"
#include "import/TaxonWords.h"
#include "store/NameSource.h"
#include "store/TableAbout.h"
#include "store/TablePassword.h"
#include "support/BoundedRun.h"
#include "support/TestTables.h"
#include "support/TinyDisk.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <zip.h>

namespace {

const QByteArray dwc = "http://rs.tdwg.org/dwc/terms/";

// meta.xml of a core taxa.txt with the core's attributes and these columns: taxonID,
// acceptedNameUsageID, scientificName, scientificNameAuthorship, taxonRank, taxonomicStatus.
QByteArray meta(const QByteArray& attributes, const QByteArray& more = {}) {
    QByteArray fields;
    int index = 0;
    for (const char* term : {"taxonID", "acceptedNameUsageID", "scientificName",
                             "scientificNameAuthorship", "taxonRank", "taxonomicStatus"})
        fields +=
            "<field index=\"" + QByteArray::number(index++) + "\" term=\"" + dwc + term + "\"/>";
    return "<?xml version=\"1.0\"?><archive xmlns=\"http://rs.tdwg.org/dwc/text/\">"
           "<core rowType=\"" +
           dwc + "Taxon\" " + attributes +
           "><files><location>taxa.txt</location></files><id index=\"0\"/>" + fields + more +
           "</core></archive>";
}

const QByteArray tabs = "fieldsTerminatedBy=\"\\t\" fieldsEnclosedBy=\"\" ignoreHeaderLines=\"1\"";
const QByteArray header = "id\taccepted\tname\tauthor\trank\tstatus\n";

// A species epithet of its own for each number: its digits written as the letters a to j.
QByteArray epithet(int number) {
    QByteArray letters = "x" + QByteArray::number(number);
    for (char& letter : letters)
        letter = letter >= '0' && letter <= '9' ? char('a' + (letter - '0')) : letter;
    return letters;
}

// Text as UTF-16 with its byte-order mark, in the order of this machine's bytes.
QByteArray utf16(const QString& text) {
    const QString marked = QChar(QChar::ByteOrderMark) + text;
    return QByteArray(reinterpret_cast<const char*>(marked.utf16()), marked.size() * 2);
}

// A zip file of the given files, each packed with deflate.
void writeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& files) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(archive);
    for (const auto& [name, bytes] : files) {
        zip_source_t* source =
            zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        QVERIFY(source && zip_file_add(archive, name.constData(), source, 0) >= 0);
    }
    QCOMPARE(zip_close(archive), 0); // the buffers are read here
}

// A checklist archive as a folder, and a table folder to import it into.
class Checklist {
public:
    void write(const QString& file, const QByteArray& bytes) const {
        QFile out(archive_.filePath(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QString archive() const { return archive_.path(); }
    QString tables() const { return tables_.path(); }
    ImportReport import() const { return ArchiveImport::importArchive(archive(), tables()); }

    // Tables of one name, for an import that must leave them as they are.
    void importOneName() const {
        write("meta.xml", meta(tabs));
        write("taxa.txt", header + "1\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n");
        import();
    }
    // Expects the import of `path` to stop with `message` and to leave the tables byte for
    // byte.
    void keepTablesOf(const QString& path, const QString& message,
                      const ArchiveImport::Progress& progress = {}) const {
        const QByteArray namesBefore = TestTables::digestOf(tables() + "/plantnames.db");
        const QByteArray synonymsBefore = TestTables::digestOf(tables() + "/syns.db");
        try {
            ArchiveImport::importArchive(path, tables(), progress);
            QFAIL("the import took a damaged archive");
        } catch (const ImportError& error) {
            const QString text = QString::fromUtf8(error.what());
            QVERIFY2(text.contains(message), qPrintable(text));
        }
        QCOMPARE(TestTables::digestOf(tables() + "/plantnames.db"), namesBefore);
        QCOMPARE(TestTables::digestOf(tables() + "/syns.db"), synonymsBefore);
        QCOMPARE(QDir(tables()).entryList({"*.tmp"}, QDir::Files), QStringList());
    }

    QStringList rows(const QString& file, const QStringList& columns, const QString& order) const {
        return TestTables::rowsOf(tables(), file, columns, order);
    }
    QStringList names() const {
        return rows("plantnames.db", {"LEVEL_", "GENUS", "SPECIES", "SUBSP", "AUTOR0", "AUTOR1"},
                    "LEVEL_, GENUS, SPECIES, SUBSP");
    }
    // Each synonym with the genus and species of its accepted name.
    QStringList synonyms() const {
        QStringList joined;
        const QStringList names = rows("plantnames.db", {"PN_REC", "GENUS", "SPECIES"}, "PN_REC");
        for (const QString& row : rows("syns.db", {"syn", "pn_rec"}, "syn, pn_rec")) {
            const QString record = row.section('|', 1);
            for (const QString& name : names) {
                if (name.section('|', 0, 0) == record)
                    joined.append(row.section('|', 0, 0) + " = " +
                                  name.section('|', 1).replace('|', ' '));
            }
        }
        return joined;
    }

private:
    QTemporaryDir archive_;
    QTemporaryDir tables_;
};

qint64 countOf(const ImportReport& report, const QString& what) {
    qint64 count = 0;
    for (const ImportReport::Kind& kind : report.skipped) {
        if (kind.what.contains(what))
            count += kind.count;
    }
    return count;
}

QString dataFolder() {
    return QStringLiteral(NARDEL_DWCA_DATA);
}

} // namespace

class TestArchiveImport : public QObject {
    Q_OBJECT

private slots:
    // The dialects that meta.xml names, each with the case that tells a wrong reader.
    void readsEveryDialect_data() {
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("author");
        const QByteArray comma = "fieldsTerminatedBy=\",\" fieldsEnclosedBy=\"&quot;\"";
        QTest::newRow("tabs, no quotes, a quote as text")
            << meta(tabs) << header + "1\t\tAbies alba\t\"Mill.\tspecies\taccepted\n"
            << "\"Mill.";
        QTest::newRow("quoted, a separator and doubled quotes inside")
            << meta(comma) << QByteArray("1,,Abies alba,\"Mill., nom. \"\"cons.\"\"\",species,\n")
            << "Mill., nom. \"cons.\"";
        QTest::newRow("a line break inside quotes")
            << meta(comma) << QByteArray("1,,\"Abies alba\",\"Mill.\nfil.\",species,accepted\n")
            << "Mill.\nfil.";
        QTest::newRow("the default quote, no attribute")
            << meta("fieldsTerminatedBy=\",\"")
            << QByteArray("1,,Abies alba,\"Mill., fil.\",species,accepted") << "Mill., fil.";
        QTest::newRow("byte-order mark, CR LF where LF is declared")
            << meta(tabs + " linesTerminatedBy=\"\\n\"")
            << "\xEF\xBB\xBF" + QByteArray(header).replace("\n", "\r\n") +
                   "1\t\tAbies alba\tMill.\tspecies\taccepted\r\n"
            << "Mill.";
        QTest::newRow("a vertical tab is no line break") << meta(tabs)
                                                         << header + "1\t\tAbies alba\tMill.\x0B"
                                                                     "fil.\tspecies\taccepted\n"
                                                         << "Mill.\x0B"
                                                            "fil.";
        QTest::newRow("pipes, a line end as an XML entity")
            << meta("fieldsTerminatedBy=\"|\" fieldsEnclosedBy=\"\" linesTerminatedBy=\"&#10;\"")
            << QByteArray("1||Abies alba|Mill.|species|accepted\n") << "Mill.";
        QTest::newRow("CR alone")
            << meta("fieldsTerminatedBy=\"\\t\" fieldsEnclosedBy=\"\" linesTerminatedBy=\"\\r\" "
                    "ignoreHeaderLines=\"2\"")
            << QByteArray("# a checklist\rid\r1\t\tAbies alba\tMill.\tspecies\taccepted\r")
            << "Mill.";
        // Each read of the file ends inside a pair, whatever its length, as long as it is a
        // multiple of 4 bytes: the pairs begin 2 bytes after such a multiple.
        const QString pairs = QString::fromUcs4(U"\U0001D538").repeated(300000);
        QTest::newRow("UTF-16, surrogate pairs split between reads")
            << meta(tabs) << utf16("id.\n1\t\tAbies alba\t" + pairs + "\tspecies\taccepted\n")
            << pairs;
        QTest::newRow("Latin-1") << meta(tabs + " encoding=\"ISO-8859-1\"")
                                 << header + "1\t\tAbies alba\tDesfontain\xE9s\tspecies\taccepted\n"
                                 << "Desfontainés";
        QTest::newRow("a default where the column is empty")
            << meta(tabs, "<field default=\"Plantae\" term=\"" + dwc + "kingdom\"/>")
            << header + "1\t\tAbies alba\tMill.\t\taccepted\n"
            << "Mill.";
    }
    void readsEveryDialect() {
        QFETCH(QByteArray, descriptor);
        QFETCH(QByteArray, data);
        QFETCH(QString, author);
        Checklist checklist;
        checklist.write("meta.xml", descriptor);
        checklist.write("taxa.txt", data);
        checklist.import();
        QCOMPARE(checklist.names(), QStringList({"0|Abies||||", "1|Abies|alba||" + author + "|"}));
    }

    void statusWords_data() {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<int>("status");
        const int accepted = int(TaxonWords::Status::Accepted);
        const int synonym = int(TaxonWords::Status::Synonym);
        const int unknown = int(TaxonWords::Status::Unknown);
        QTest::newRow("accepted") << QByteArray("Accepted") << accepted;
        QTest::newRow("valid") << QByteArray("valid") << accepted;
        QTest::newRow("provisionally accepted") << QByteArray("provisionally accepted") << accepted;
        QTest::newRow("NOME_ACEITO") << QByteArray("NOME_ACEITO") << accepted;
        QTest::newRow("synonym") << QByteArray("synonym") << synonym;
        QTest::newRow("HETEROTYPIC_SYNONYM") << QByteArray("HETEROTYPIC_SYNONYM") << synonym;
        QTest::newRow("homotypic synonym") << QByteArray("homotypic synonym") << synonym;
        QTest::newRow("proparte") << QByteArray("proparte") << synonym;
        QTest::newRow("pro-parte synonym") << QByteArray("pro-parte synonym") << synonym;
        QTest::newRow("invalid") << QByteArray("Invalid") << synonym;
        QTest::newRow("SINONIMO") << QByteArray("SINONIMO") << synonym;
        QTest::newRow("sinônimo") << QByteArray("sinônimo") << synonym;
        QTest::newRow("doubtful") << QByteArray("doubtful") << unknown;
        QTest::newRow("To determine") << QByteArray("To determine") << unknown;
    }
    void statusWords() {
        QFETCH(QByteArray, word);
        QFETCH(int, status);
        QCOMPARE(int(TaxonWords::status(word)), status);
    }

    void rankWords_data() {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("rankWord");
        QTest::newRow("Genus") << QByteArray("Genus") << 0 << QByteArray();
        QTest::newRow("GENERO") << QByteArray("GENERO") << 0 << QByteArray();
        QTest::newRow("sp.") << QByteArray("sp.") << 1 << QByteArray();
        QTest::newRow("ESPECIE") << QByteArray("ESPECIE") << 1 << QByteArray();
        QTest::newRow("subspecies") << QByteArray("subspecies") << 2 << QByteArray("subsp.");
        QTest::newRow("SUB_ESPECIE") << QByteArray("SUB_ESPECIE") << 2 << QByteArray("subsp.");
        QTest::newRow("ssp.") << QByteArray("ssp.") << 2 << QByteArray("subsp.");
        QTest::newRow("Variety") << QByteArray("Variety") << 2 << QByteArray("var.");
        QTest::newRow("VARIEDADE") << QByteArray("VARIEDADE") << 2 << QByteArray("var.");
        QTest::newRow("forma") << QByteArray("forma") << 2 << QByteArray("f.");
        QTest::newRow("subvariety") << QByteArray("subvariety") << 2 << QByteArray("subvar.");
        QTest::newRow("nothosubspecies")
            << QByteArray("nothosubspecies") << 2 << QByteArray("nothosubsp.");
        QTest::newRow("family") << QByteArray("family") << -1 << QByteArray();
        QTest::newRow("subgenus") << QByteArray("subgenus") << -1 << QByteArray();
        QTest::newRow("fma. as names write it") << QByteArray("fma.") << 2 << QByteArray("f.");
        QTest::newRow("no rank") << QByteArray("cohors") << TaxonWords::unknownRank << QByteArray();
    }
    void rankWords() {
        QFETCH(QByteArray, word);
        QFETCH(int, level);
        QFETCH(QByteArray, rankWord);
        const TaxonWords::Rank rank = TaxonWords::rank(word);
        QCOMPARE(rank.level, level);
        QCOMPARE(rank.word, rankWord);
    }

    // Names from their columns and from the name whole, with the level's authors: the rank word
    // below the species, an autonym's author as the species's, a genus added where its species
    // have none, a hybrid's sign kept (from the name whole where its column lacks it), a name
    // with two ranks below the species taken at the lower and counted, a synonym below the
    // species without a rank word.
    void mapsNamesToLevels() {
        Checklist checklist;
        checklist.write("meta.xml",
                        meta(tabs, "<field index=\"6\" term=\"" + dwc +
                                       "genus\"/>"
                                       "<field index=\"7\" term=\"" +
                                       dwc + "specificEpithet\"/><field index=\"8\" term=\"" + dwc +
                                       "infraspecificEpithet\"/>"));
        checklist.write(
            "taxa.txt",
            header.trimmed() +
                "\tgenus\tspecies\tinfra\n"
                "1\t\tAchillea L.\tL.\tgenus\taccepted\tAchillea\t\t\n"
                "2\t\tAchillea lanulosa Nutt. var. "
                "lanulosa\tNutt.\tvariety\taccepted\tAchillea\tlanulosa\tlanulosa\n"
                "3\t\tAchillea lanulosa Nutt.\tNutt.\tspecies\taccepted\tAchillea\tlanulosa\t\n"
                "4\t\tAchillea lanulosa subsp. alpicola (Rydb.) D.D.Keck\t(Rydb.) "
                "D.D.Keck\tsubspecies\taccepted\tAchillea\tlanulosa\talpicola\n"
                "5\t\tMentha ×piperita L.\tL.\tspecies\tvalid\t\t\t\n"
                "6\t\tSalix alba L. f. vitellina (L.) Stokes\t\tform\taccepted\t\t\t\n"
                "7\t\tAsteraceae\t\tfamily\taccepted\t\t\t\n"
                "8\t\tXAgropogon lutosus (Poir.) P.Fourn.\t(Poir.) "
                "P.Fourn.\tspecies\taccepted\tAgropogon\tlutosus\t\n"
                "9\t\tPolystichum lonchitis Roth var. zonatum Fernald f. parvum (Banker) "
                "Clute\t\t\taccepted\t\t\t\n"
                "10\t3\tAchillea lanulosa alpina\t\t\tsynonym\tAchillea\tlanulosa\talpina\n");
        const ImportReport report = checklist.import();
        QCOMPARE(checklist.names(),
                 QStringList({"0|Achillea||||", "0|Mentha||||", "0|Polystichum||||", "0|Salix||||",
                              "0|×Agropogon||||", "1|Achillea|lanulosa||Nutt.|",
                              "1|Mentha|×piperita||L.|", "1|Polystichum|lonchitis|||",
                              "1|Salix|alba|||", "1|×Agropogon|lutosus||(Poir.) P.Fourn.|",
                              "2|Achillea|lanulosa|subsp. alpicola||(Rydb.) D.D.Keck",
                              "2|Achillea|lanulosa|var. lanulosa|Nutt.|",
                              "2|Polystichum|lonchitis|f. parvum|Roth|(Banker) Clute",
                              "2|Salix|alba|f. vitellina|L.|(L.) Stokes"}));
        QCOMPARE(report.addedGenera, 4);
        QCOMPARE(report.addedSpecies, 2);
        QCOMPARE(report.lowestOfRanks, 1);
        QCOMPARE(checklist.synonyms(),
                 QStringList({"Achillea lanulosa alpina = Achillea lanulosa"}));
        QCOMPARE(countOf(report, "family"), 1);
    }

    // A row that is no name of a plant taxon is left out with the reason for it alone.
    void skipsWhatIsNoName_data() {
        QTest::addColumn<QByteArray>("row"); // accepted id, name, authorship, rank
        QTest::addColumn<QString>("reason");
        QTest::newRow("formula") << QByteArray("\tSalix aurita L. × S. caprea L.\t\tspecies")
                                 << "hybridní vzorec";
        QTest::newRow("cultivar") << QByteArray("\tAcer palmatum 'Atropurpureum'\t\t")
                                  << "kultivar";
        QTest::newRow("surrogate") << QByteArray("\tXenodon sp\t\t") << "bez epiteta";
        QTest::newRow("unknown rank")
            << QByteArray("\tAbies alba\t\tcohors") << "neznámý rank „cohors“";
        QTest::newRow("rank above the genus")
            << QByteArray("\tPinaceae\t\tfamily") << "rank „family“";
        QTest::newRow("no genus") << QByteArray("\talba Mill.\tMill.\t") << "nezačíná rodem";
        QTest::newRow("abbreviated genus") << QByteArray("\tM. alpium\t\t") << "zkratkou";
        QTest::newRow("placeholder") << QByteArray("\tIncertae sedis\t\t") << "místo jména";
        QTest::newRow("placeholder synonym")
            << QByteArray("1\tNone recorded\t\tspecies") << "místo jména";
    }
    void skipsWhatIsNoName() {
        QFETCH(QByteArray, row);
        QFETCH(QString, reason);
        Checklist checklist;
        checklist.write("meta.xml", meta(tabs));
        checklist.write("taxa.txt", header +
                                        "1\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n"
                                        "2\t" +
                                        row + "\t\n");
        const ImportReport report = checklist.import();
        QCOMPARE(report.skipped.size(), 1);
        QVERIFY2(report.skipped[0].what.contains(reason), qPrintable(report.skipped[0].what));
        QCOMPARE(report.skipped[0].first, QStringList({"3"}));
        QCOMPARE(report.synonyms, 0);
    }

    // Synonyms lead through other synonyms; a cycle, an id not in the archive and a row not
    // imported are counted; several ids in one field give a row each; a synonym repeated with
    // the same accepted name gives one row.
    void leadsSynonymsToAcceptedNames() {
        Checklist checklist;
        checklist.write("meta.xml", meta(tabs));
        checklist.write("taxa.txt",
                        header + "1\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n"
                                 "2\t1\tAbies pectinata DC.\tDC.\tspecies\tsynonym\n"
                                 "3\t2\tPinus picea L.\tL.\tspecies\tsynonym\n"
                                 "4\t5\tAbies x\t\tspecies\tsynonym\n"
                                 "5\t4\tAbies y\t\tspecies\tsynonym\n"
                                 "6\t1|7\tAbies z\t\tspecies\tproparte synonym\n"
                                 "7\t7\tPicea abies (L.) H.Karst.\t(L.) H.Karst.\tspecies\t\n"
                                 "8\t99\tAbies w\t\tspecies\tsynonym\n"
                                 "9\t10\tAbies v\t\tspecies\tsynonym\n"
                                 "10\t\tAbietaceae\t\tfamily\taccepted\n"
                                 "11\t\tAbies u\t\tspecies\tsynonym\n"
                                 "12\t1\tAbies pectinata DC.\tDC.\tspecies\tsynonym\n");
        const ImportReport report = checklist.import();
        QCOMPARE(checklist.synonyms(),
                 QStringList({"Abies pectinata = Abies alba", "Abies z = Abies alba",
                              "Abies z = Picea abies", "Pinus picea = Abies alba"}));
        QCOMPARE(report.synonyms, 4);
        QCOMPARE(countOf(report, "kruhu"), 2);
        QCOMPARE(countOf(report, "které v archivu není"), 1);
        QCOMPARE(countOf(report, "v tabulce jmen není"), 1);
        QCOMPARE(countOf(report, "bez odkazu"), 1);
        QCOMPARE(countOf(report, "zapsáno jednou"), 1);
    }

    // A name or an id that an earlier row has keeps the earlier row; another author's name
    // is a name of its own.
    void repeatedNamesAndIdsLeadToTheFirst() {
        Checklist checklist;
        checklist.write("meta.xml", meta(tabs));
        checklist.write("taxa.txt",
                        header +
                            "1\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n"
                            "2\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n"
                            "1\t\tPicea abies (L.) H.Karst.\t(L.) H.Karst.\tspecies\taccepted\n"
                            "3\t2\tAbies pectinata DC.\tDC.\tspecies\tsynonym\n"
                            "4\t1\tPicea excelsa Link\tLink\tspecies\tsynonym\n"
                            "5\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n"
                            "6\t\tAbies alba Nutt.\tNutt.\tspecies\taccepted\n");
        const ImportReport report = checklist.import();
        QCOMPARE(checklist.names(),
                 QStringList({"0|Abies||||", "0|Picea||||", "1|Abies|alba||Mill.|",
                              "1|Abies|alba||Nutt.|", "1|Picea|abies||(L.) H.Karst.|"}));
        QCOMPARE(checklist.synonyms(),
                 QStringList({"Abies pectinata = Abies alba", "Picea excelsa = Abies alba"}));
        QCOMPARE(report.skipped.size(), 2);
        QVERIFY(report.skipped[0].what.contains("jméno, které už má dřívější řádek"));
        QCOMPARE(report.skipped[0].first, QStringList({"3", "7"}));
        QVERIFY(report.skipped[1].what.contains("id, které má už dřívější řádek"));
        QCOMPARE(report.skipped[1].first, QStringList({"4"}));
    }

    void citation_data() {
        QTest::addColumn<QByteArray>("eml");
        QTest::addColumn<QString>("citation");
        QTest::newRow("title and year")
            << QByteArray("<eml:eml xmlns:eml=\"eml://ecoinformatics.org/eml-2.1.1\"><dataset>"
                          "<title xml:lang=\"en\">Flora\n  of Brazil</title><creator><title>x"
                          "</title></creator><pubDate>2012-05-06</pubDate></dataset></eml:eml>")
            << "Flora of Brazil (2012)";
        QTest::newRow("title alone")
            << QByteArray("<eml><dataset><title>VASCAN</title></dataset></eml>") << "VASCAN";
        QTest::newRow("bibliographic citation")
            << QByteArray("<eml><dataset><creator/></dataset><additionalMetadata><metadata><gbif>"
                          "<bibliographicCitation>Brouillet L. (2010+). VASCAN."
                          "</bibliographicCitation></gbif></metadata></additionalMetadata></eml>")
            << "Brouillet L. (2010+). VASCAN.";
        QTest::newRow("not XML") << QByteArray("<eml><dataset><title>") << "";
    }
    void citation() {
        QFETCH(QByteArray, eml);
        QFETCH(QString, citation);
        QCOMPARE(ChecklistCitation::fromMetadata(eml), citation);
    }

    // The name table keeps the citation and says that it has no pages. A long citation is
    // shown cut where a character ends, and kept whole beside.
    void tableKeepsTheCitation_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << "Flora"
                               << "Flora (2012)";
        const QString accented = QString("e\u0301");
        QTest::newRow("a letter with its accent")
            << accented.repeated(3000) << accented.repeated(999) + QChar(0x2026);
        const QString pair = QString::fromUcs4(U"\U0001D538");
        QTest::newRow("a character beyond 16 bits")
            << pair.repeated(3000) << pair.repeated(999) + QChar(0x2026);
    }
    void tableKeepsTheCitation() {
        QFETCH(QString, title);
        QFETCH(QString, shown);
        Checklist checklist;
        checklist.write("meta.xml", meta(tabs));
        checklist.write("taxa.txt", header + "1\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n");
        checklist.write("eml.xml", "<eml><dataset><title>" + title.toUtf8() +
                                       "</title><pubDate>2012</pubDate></dataset></eml>");
        checklist.import();
        NameSource source;
        source.setParam("PATH", checklist.tables() + '/');
        source.connect();
        source.addPassword(TablePassword::programPassword);
        const QHash<QString, QString> facts = source.about("plantnames.db");
        QCOMPARE(facts.value(TableAbout::citation), shown);
        const QString whole = title + " (2012)";
        QCOMPARE(facts.value(TableAbout::wholeCitation), shown == whole ? QString() : whole);
        QCOMPARE(facts.value(TableAbout::pages), TableAbout::noPages);
    }

    // Real checklists read where they lie: accepted names by level, synonyms, citation.
    void realChecklists_data() {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QList<qint64>>("counts"); // genera, species, below, synonyms
        QTest::addColumn<QString>("citation");
        QTest::newRow("VASCAN") << "vascan-achillea" << QList<qint64>{1, 3, 1, 43}
                                << "Database of Vascular Plants of Canada (VASCAN)";
        QTest::newRow("VASCAN zipped, nothogenus")
            << "vascan-dwca2sql/vascan_zipped_dwca.zip" << QList<qint64>{1, 1, 0, 0}
            << "Database of Vascular Plants of Canada (VASCAN)";
        QTest::newRow("WCVP") << "wcvp-sample" << QList<qint64>{3, 3, 2, 11}
                              << "The World Checklist of Vascular Plants (WCVP) (2026)";
        QTest::newRow("GRIN, no status column")
            << "grin-plantago/data.zip" << QList<qint64>{3, 3, 1, 1} << "GRIN Taxonomy (2019)";
        QTest::newRow("names with authors") << "domain-plants" << QList<qint64>{5, 5, 0, 1}
                                            << "The World Checklist of Vascular Plants (2024)";
        QTest::newRow("Flora do Brasil") << "flora-brasil-ceramium" << QList<qint64>{1, 20, 4, 0}
                                         << "Lista de Espécies da Flora do Brasil (2015)";
        QTest::newRow("no meta.xml")
            << "flora-brasil-trimezia" << QList<qint64>{2, 24, 2, 0} << "flora-brasil-trimezia";
        QTest::newRow("several ids in one field")
            << "calendula-nometa" << QList<qint64>{1, 3, 5, 5} << "calendula-nometa";
        QTest::newRow("UTF-16") << "utf16-mobot" << QList<qint64>{2, 2, 1, 0} << "utf16-mobot";
    }
    void realChecklists() {
        QFETCH(QString, archive);
        QFETCH(QList<qint64>, counts);
        QFETCH(QString, citation);
        const QString path = dataFolder() + '/' + archive;
        if (!QFileInfo::exists(path))
            QSKIP("the shared checklists are not beside the project");
        QTemporaryDir tables;
        const ImportReport report = ArchiveImport::importArchive(path, tables.path());
        QCOMPARE(
            QList<qint64>({report.names[0], report.names[1], report.names[2], report.synonyms}),
            counts);
        QCOMPARE(report.citation, citation);
    }

    // A damaged archive stops the import with the file and line, or the element; the earlier
    // tables stay byte for byte.
    void damagedArchiveKeepsTheTables_data() {
        QTest::addColumn<QString>("archive"); // a shared checklist, or empty for our own
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        const QByteArray good = header + "1\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n";
        QTest::newRow("meta.xml not XML")
            << "" << QByteArray("<archive><core") << good << "meta.xml:1: meta.xml nelze přečíst";
        QTest::newRow("no core") << "" << QByteArray("<archive><extension/></archive>") << good
                                 << "meta.xml:1: chybí prvek <core>";
        QTest::newRow("a column beyond the rows")
            << "" << meta(tabs, "<field index=\"9\" term=\"" + dwc + "kingdom\"/>") << good
            << "taxa.txt:2: meta.xml čte sloupec 9";
        QTest::newRow("a quote left open")
            << "" << meta("fieldsTerminatedBy=\",\"")
            << QByteArray("1,,Abies alba,Mill.,species,accepted\n2,,\"Abies,x,species,accepted\n")
            << "taxa.txt:2: pole v uvozovkách";
        QTest::newRow("not UTF-8")
            << "" << meta(tabs) << good + "2\t\tAbies n\xE9gra\t\tspecies\t\n"
            << "taxa.txt:3: řádek není platný text UTF-8";
        const QString lone = "2\t\tAbies " + QString(QChar(0xD800)) + "x\t\tspecies\t\n";
        QTest::newRow("a lone surrogate in UTF-16")
            << "" << meta(tabs) << utf16(QString::fromUtf8(good) + lone)
            << "taxa.txt:3: řádek obsahuje osamocenou polovinu páru UTF-16";
        QTest::newRow("a lone surrogate in CESU-8")
            << "" << meta(tabs + " encoding=\"CESU-8\"")
            << good + "2\t\tAbies \xED\xA0\x80x\t\tspecies\t\n"
            << "taxa.txt:3: řádek obsahuje osamocenou polovinu páru UTF-16";
        QTest::newRow("lines that end in CR alone")
            << "" << meta(tabs) << QByteArray(good).replace('\n', '\r')
            << "taxa.txt:1: řádky souboru končí samotným znakem CR";
        QTest::newRow("no accepted name") << "" << meta(tabs) << header << "žádné přijaté jméno";
        QTest::newRow("core file missing")
            << "meta-only" << QByteArray() << QByteArray() << "meta.xml:3: soubor jádra taxa.txt";
        QTest::newRow("occurrences") << "occurrence-core/dwca-simple-test-archive.zip"
                                     << QByteArray() << QByteArray() << "ne Taxon";
        QTest::newRow("columns that do not exist")
            << "index-fungorum-2010/data.zip" << QByteArray() << QByteArray()
            << "IF2.txt:1: meta.xml čte sloupec 11";
    }
    void damagedArchiveKeepsTheTables() {
        QFETCH(QString, archive);
        QFETCH(QByteArray, descriptor);
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        Checklist checklist;
        checklist.importOneName();
        QString path = checklist.archive();
        if (archive.isEmpty()) {
            checklist.write("meta.xml", descriptor);
            checklist.write("taxa.txt", data);
        } else {
            path = dataFolder() + '/' + archive;
            if (!QFileInfo::exists(path))
                QSKIP("the shared checklists are not beside the project");
        }
        checklist.keepTablesOf(path, message);
    }

    // The core is read as a stream: a file cut short while it is read is an error, not a
    // shorter checklist.
    void coreCutShortStopsTheImport() {
        Checklist checklist;
        checklist.importOneName();
        QByteArray rows = header;
        for (int id = 1; id <= 250000; ++id)
            rows += QByteArray::number(id) + "\t\tAbies " + epithet(id) + "\t\tspecies\taccepted\n";
        checklist.write("taxa.txt", rows);
        const QString core = checklist.archive() + "/taxa.txt";
        // Far behind what the reading has reached, read ahead included, at its first report.
        bool cut = false;
        checklist.keepTablesOf(checklist.archive(), "zkrátil",
                               [&](ArchiveImport::Phase, qint64, qint64, qint64) {
                                   if (!cut)
                                       cut = QFile::resize(core, rows.size() * 4 / 5);
                               });
        QVERIFY(cut);
    }

    // A zip that would unpack far beyond its size, or that was cut short, is refused.
    void damagedZipKeepsTheTables_data() {
        QTest::addColumn<QByteArray>("core");
        QTest::addColumn<double>("kept"); // the part of the zip file that is kept
        QTest::addColumn<QString>("message");
        const QByteArray synonym = "2\t1\tAbies x\t\tspecies\tsynonym\n";
        QTest::newRow("a bomb") << header + "1\t\tAbies alba\t\tspecies\taccepted\n" +
                                       synonym.repeated(700000)
                                << 1.0 << "zip bomba";
        QTest::newRow("cut short") << header + "1\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n"
                                   << 0.6 << "archiv zip je poškozený";
    }
    void damagedZipKeepsTheTables() {
        QFETCH(QByteArray, core);
        QFETCH(double, kept);
        QFETCH(QString, message);
        Checklist checklist;
        checklist.importOneName();
        const QString zip = checklist.archive() + "/checklist.zip";
        writeZip(zip, {{"meta.xml", meta(tabs)}, {"taxa.txt", core}});
        QVERIFY(QFile::resize(zip, qint64(QFileInfo(zip).size() * kept)));
        checklist.keepTablesOf(zip, message);
    }

    // An unpacked archive named by a path relative to the working folder.
    void relativePathReadsAsAbsolute() {
        Checklist checklist;
        checklist.write("meta.xml", meta(tabs));
        checklist.write("taxa.txt", header + "1\t\tAbies alba Mill.\tMill.\tspecies\taccepted\n");
        const QString before = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(before); });
        const QFileInfo archive(checklist.archive());
        QVERIFY(QDir::setCurrent(archive.path()));
        ArchiveImport::importArchive(archive.fileName(), checklist.tables());
        QCOMPARE(checklist.names(), QStringList({"0|Abies||||", "1|Abies|alba||Mill.|"}));
    }

    // Long chains and cycles of synonyms and a field of very many ids: the work grows with
    // the input, so the program ends in a time and memory that a quadratic one overruns
    // many times. Synonyms that would lead to more accepted names than the limit are refused.
    void synonymFloodsStayBounded_data() {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QString>("synonyms"); // in the table, or the message of a refusal
        const int many = 100000;
        const QByteArray accepted = header + "1\t\tAbies alba\t\tspecies\taccepted\n";
        const auto synonym = [](int id, const QByteArray& to) {
            return "s" + QByteArray::number(id) + '\t' + to + "\tAbies s" + QByteArray::number(id) +
                   "\t\tspecies\tsynonym\n";
        };
        QByteArray chain = accepted;
        QByteArray cycle = accepted;
        for (int id = 1; id <= many; ++id) {
            chain += synonym(id, id == 1 ? "1" : "s" + QByteArray::number(id - 1));
            cycle += synonym(id, "s" + QByteArray::number(id == 1 ? many : id - 1));
        }
        QByteArray ids = "1";
        for (int id = 1; id <= 4 * many; ++id)
            ids += "|i" + QByteArray::number(id);
        // A synonym of 5000 names, and 5000 synonyms of it: 25 million links.
        QByteArray fan = header;
        QByteArray names;
        for (int id = 1; id <= 5000; ++id) {
            fan += QByteArray::number(id) + "\t\tAbies " + epithet(id) + "\t\tspecies\taccepted\n";
            names += (id == 1 ? "" : "|") + QByteArray::number(id);
        }
        fan += synonym(0, names);
        for (int id = 1; id <= 5000; ++id)
            fan += synonym(id, "s0");
        QTest::newRow("a chain") << chain << QString::number(many);
        QTest::newRow("a cycle") << cycle << "0";
        QTest::newRow("many ids in one field") << accepted + synonym(0, ids) << "1";
        QTest::newRow("more links than the limit")
            << fan << QString("víc než %1 přijatým jménům").arg(SynonymLinks::mostLinks);
    }
    void synonymFloodsStayBounded() {
        QFETCH(QByteArray, rows);
        QFETCH(QString, synonyms);
        Checklist checklist;
        checklist.write("meta.xml", meta(tabs));
        checklist.write("taxa.txt", rows);
        const BoundedRun run = BoundedRun::of(
            "nardel-import", {"--quiet", checklist.archive(), checklist.tables()}, 60, 1 << 30);
        QVERIFY2(run.finished, "the import overran its time or memory");
        if (run.exitCode != 0) {
            QVERIFY2(run.errors.contains(synonyms), qPrintable(run.errors));
            return;
        }
        QCOMPARE(checklist.rows("syns.db", {"count(*)"}, "1"), QStringList{synonyms});
    }

    // The import keeps its passes' rows in a temporary file: a full disk there is named as
    // such, not as an unknown error.
    void fullDiskForTheSpoolSaysSo() {
        TinyDisk disk;
        if (!disk.mounted())
            QSKIP("a full disk is a small tmpfs, which only root may mount");
        const QByteArray tmpdir = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(disk.path()));
        const auto restore = qScopeGuard([&] { qputenv("TMPDIR", tmpdir); });
        try {
            Spool spool;
            for (int record = 0; record < 100; ++record) {
                spool.addText(QByteArray(10000, 'x'));
                spool.endRecord();
            }
            spool.rewind();
            QFAIL("the spool took more than the disk holds");
        } catch (const ImportError& error) {
            QVERIFY2(
                QString::fromUtf8(error.what()).contains("na disku pro dočasné soubory není místo"),
                error.what());
        }
    }
};

QTEST_GUILESS_MAIN(TestArchiveImport)
#include "tst_archiveimport.moc"
