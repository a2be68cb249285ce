#include "check/DocumentFile.h"
#include "support/FifoTrap.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <zip.h>

namespace {

// The text with its italic stretches between slashes: "/Picea abies/ (L.) H.Karst.". Fails
// the test where the stretches are out of order, empty or touch one another.
QString marked(const StyledText& text) {
    QByteArray bytes;
    qsizetype done = 0;
    for (const TextSpan& span : text.italics) {
        if (!(span.start >= done && span.start < span.end && span.end <= text.utf8.size()) ||
            (done > 0 && span.start == done)) {
            QTest::qFail("italic stretches out of order, empty or touching", __FILE__, __LINE__);
            return {};
        }
        bytes += text.utf8.mid(done, span.start - done) + '/' +
                 text.utf8.mid(span.start, span.end - span.start) + '/';
        done = span.end;
    }
    return QString::fromUtf8(bytes + text.utf8.mid(done));
}

// The paragraphs of the LibreOffice Writer samples.
const char* const writerParagraph =
    "Smrk /Picea abies/ (L.) H.Karst. roste na Šumavě, /Abies alba/ Mill. též.\n"
    "Druhý odstavec s /Cymbidium pul-/\n/cheilum/.";

// A copy that LibreOffice Writer 7.4 made of the paragraph above, as its clipboard holds it.
QByteArray clipboardSample(const QString& file) {
    QFile sample(QFINDTESTDATA("clipboard/" + file));
    if (!sample.open(QIODevice::ReadOnly))
        qFatal("the sample %s is missing", qPrintable(file));
    return sample.readAll();
}

// A zip file of the given entries: name, content, name, content ...
void writeZip(const QString& path, const QByteArrayList& entries) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(archive);
    for (qsizetype at = 0; at + 1 < entries.size(); at += 2) {
        const QByteArray& bytes = entries[at + 1];
        zip_source_t* source =
            zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        QVERIFY(source && zip_file_add(archive, entries[at].constData(), source, 0) >= 0);
    }
    QCOMPARE(zip_close(archive), 0); // the buffers are read here
}

QByteArray wordDocument(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:document "
           "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
           "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
           "<w:body>" +
           body + "</w:body></w:document>";
}

const QByteArray odfNamespaces =
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
    "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" office:version=\"1.3\"";

QByteArray odfContent(const QByteArray& automaticStyles, const QByteArray& text) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content " + odfNamespaces +
           "><office:automatic-styles>" + automaticStyles +
           "</office:automatic-styles><office:body><office:text>" + text +
           "</office:text></office:body></office:document-content>";
}

const QByteArray odfStyles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-styles " + odfNamespaces +
    "><office:styles><style:style style:name=\"Emphasis\" style:family=\"text\">"
    "<style:text-properties fo:font-style=\"italic\"/></style:style>"
    "<style:style style:name=\"Quotations\" style:family=\"paragraph\">"
    "<style:text-properties fo:font-style=\"italic\"/></style:style>"
    "</office:styles></office:document-styles>";

} // namespace

class TestStyledText : public QObject {
    Q_OBJECT

private slots:
    void plain_data();
    void plain();
    void html_data();
    void html();
    void htmlReadsNothingItNames();
    void rtf_data();
    void rtf();
    void document_data();
    void document();
    void refusedDocument_data();
    void refusedDocument();
    void fifoIsRefusedUnread();
    void largeDocumentIsRefused();
};

void TestStyledText::plain_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("UTF-8, its mark and line ends")
        << QByteArray("\xEF\xBB\xBFSmrk Picea abies\r\nřádek\rdalší\n")
        << "Smrk Picea abies\nřádek\ndalší\n";
    QTest::newRow("Windows-1250") << QByteArray("\x8Aumava: \x9A\xE8\xF8\x9E\xFD\xE1\r\n")
                                  << "Šumava: ščřžýá\n";
    QTest::newRow("UTF-16 with its mark") << QByteArray("\xFF\xFE\x61\x01\x0D\x01", 6) << "šč";
    QTest::newRow("Windows-1250 ending in a UTF-8 lead byte") << QByteArray("Ab\xDD") << "AbÝ";
}

void TestStyledText::plain() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const StyledText text = plainText(bytes);
    QVERIFY(text.italics.isEmpty());
    QVERIFY(QByteArrayView(text.utf8).isValidUtf8());
    QCOMPARE(QString::fromUtf8(text.utf8), expected);
}

void TestStyledText::html_data() {
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LibreOffice Writer") << clipboardSample("writer.html") << writerParagraph;
    QTest::newRow("Firefox")
        << QByteArray("<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"
                      "<p><b>Smrk ztepilý</b> (<i>Picea abies</i>) je <a href=\"/wiki/Strom\" "
                      "title=\"Strom\">strom</a>\n z čeledi <a href=\"/wiki/Borovicovit%C3%A9\">"
                      "borovicovitých</a>.</p>")
        << "Smrk ztepilý (/Picea abies/) je strom z čeledi borovicovitých.";
    QTest::newRow("Chromium")
        << QByteArray("<meta charset='utf-8'><span style=\"color: rgb(32, 33, 34); font-family: "
                      "sans-serif; font-size: 14px; font-style: italic; font-weight: 400;\">"
                      "Picea abies</span><span style=\"color: rgb(32, 33, 34); font-family: "
                      "sans-serif; font-style: normal;\"><span> </span>(L.) H.Karst.</span>")
        << "/Picea abies/ (L.) H.Karst.";
    QTest::newRow("Google Docs")
        << QByteArray("<meta charset=\"utf-8\"><b style=\"font-weight:normal;\" "
                      "id=\"docs-internal-guid-3c1f\"><p dir=\"ltr\" style=\"line-height:1.38;"
                      "margin-top:0pt;\"><span style=\"font-size:11pt;font-family:Arial;"
                      "font-weight:400;font-style:italic;\">Abies alba</span><span style=\""
                      "font-size:11pt;font-family:Arial;font-style:normal;\"> Mill.</span></p></b>")
        << "/Abies alba/ Mill.";
    QTest::newRow("Word")
        << QByteArray("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\"><head><style>\n"
                      "<!--p.MsoNormal {font-family:\"Times New Roman\";}-->\n</style></head>"
                      "<body lang=CS><!--StartFragment--><p class=MsoNormal>Smrk "
                      "<i style='mso-bidi-font-style:normal'>Picea abies</i> "
                      "(L.)&nbsp;H.Karst.<o:p></o:p></p><p class=MsoListParagraph "
                      "style='text-indent:-18.0pt;mso-list:l0 level1 lfo1'><![if !supportLists]>"
                      "<span style='font-family:Symbol'>·<span style='font:7.0pt \"Times New "
                      "Roman\"'>&nbsp;&nbsp; </span></span><![endif]><i>Abies</i> sp.<o:p></o:p>"
                      "</p><!--EndFragment--></body></html>")
        << "Smrk /Picea abies/ (L.)\u00A0H.Karst.\n·\u00A0\u00A0 /Abies/ sp.";
    QTest::newRow("slant inherited and undone")
        << QByteArray("<div style=\"font-style: italic\">Picea <span style=\"font-style:normal\">"
                      "sp.</span> <b>abies</b> <em style=\"FONT-STYLE: Normal !important\">L."
                      "</em></div><p style=\"font: italic bold 12px/30px Georgia\">Abies</p>")
        << "/Picea /sp./ abies /L.\n/Abies/";
    QTest::newRow("characters, and what is not text")
        << QByteArray("<html><head><title>Titulek</title><script>var a = \"<i>x</i>\";</script>"
                      "</head><body><p>&Scaron;umava &amp; <i>Abies&nbsp;alba</i> &#8211; "
                      "&#x17E;&#150; &copy 1 &nosuch; a < b &lt;<!-- <i>x</i> --></p>"
                      "<p style=\"display:none\">skryto</p><p hidden>také</p></body></html>")
        << "Šumava & /Abies\u00A0alba/ – ž– © 1 &nosuch; a < b <";
    QTest::newRow("blocks and line breaks")
        << QByteArray("<h1>Flora</h1>\n<ul>\n <li>jedna</li>\n <li>dvě<br>  tři</li>\n</ul>"
                      "<table><tr><td>Picea</td><td><i>abies</i></td></tr></table>"
                      "<pre>a  b\r\nc</pre>")
        << "Flora\njedna\ndvě\ntři\nPicea\n/abies/\na  b\nc";
    QTest::newRow("Windows-1250 as it says")
        << QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=windows-1250\"></head><body><p><i>\x8A\x9A</i></p></body></html>")
        << "/Šš/";
    QTest::newRow("Windows-1250 unsaid") << QByteArray("<p>\x8Aumava</p>") << "Šumava";
    QTest::newRow("UTF-16 with its mark")
        << QByteArray("\xFF\xFE<\0i\0>\0\x61\x01<\0/\0i\0>\0", 18) << "/š/";
    QTest::newRow("unclosed") << QByteArray("<p><i>Picea abies") << "/Picea abies/";
    QTest::newRow("nested too deep") << QByteArray("<span>").repeated(5000) + "Picea" +
                                            QByteArray("</span>").repeated(5000) + " <i>abies</i>"
                                     << "Picea /abies/";
}

void TestStyledText::html() {
    QFETCH(QByteArray, html);
    QFETCH(QString, expected);
    QCOMPARE(marked(htmlText(html)), expected);
}

void TestStyledText::htmlReadsNothingItNames() {
    const FifoTrap trap;
    const QByteArray fifo = QFile::encodeName(trap.path());
    const StyledText text =
        htmlText("<html><head><link rel=\"stylesheet\" href=\"" + fifo + "\"><style>@import url(" +
                 fifo + ");</style></head><body><p>" + trap.pictureMarkup().toUtf8() +
                 "<i>Picea</i></p></body></html>");
    QCOMPARE(marked(text), "/Picea/");
}

void TestStyledText::rtf_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LibreOffice Writer") << clipboardSample("writer.rtf") << writerParagraph;
    QTest::newRow("WordPad, Windows-1250")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl{\\f0\\fnil"
               "\\fcharset238 Calibri;}}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4"
               "\\uc1 \r\n\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang5 \\'8aumava: "
               "\\i Picea abies\\i0  (L.) H.Karst., \\'9a\\'e8\\'f8\\'9e\\'fd\\'e1\\par\r\n}")
        << "Šumava: /Picea abies/ (L.) H.Karst., ščřžýá";
    QTest::newRow("code page of each font")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                      "{\\f1\\froman\\fcharset238 Times New Roman CE;}}\\f1 \\'e8{\\f0 \\'e8}\\'e8"
                      "\\plain\\'e8}")
        << "čèčè";
    QTest::newRow("Unicode and its stand-ins")
        << QByteArray("{\\rtf1\\ansi{\\uc2\\u269\\'63\\'68 x}\\u382?y\\uc0\\u283 z"
                      "\\uc1\\u-10180?\\u-8385?{\\u328\\'f2}\\'f2}")
        << "č xžyěz🌿ňò";
    QTest::newRow("groups, plain and i0")
        << QByteArray("{\\rtf1 {\\i Picea {\\i0 sp.} abies}\\i  L.\\plain  Mill.\\i\\line "
                      "x\\i0\\tab y}")
        << "/Picea /sp./ abies L./ Mill./\nx/\ty";
    QTest::newRow("what is not the text")
        << QByteArray("{\\rtf1{\\header hlava}{\\footer pata}{\\*\\unknown neznámé}"
                      "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt {\\i Picea}}} abies"
                      "{\\footnote poznámka}{\\v skryté}{\\pict\\bin4 {{{{}\\par po}")
        << "/Picea/ abies\npo";
    QTest::newRow("symbols")
        << QByteArray("{\\rtf1 a\\~b\\-c\\_d\\emdash\\endash\\lquote x\\rquote \\{\\}\\\\"
                      "\\ldblquote y\\rdblquote\\bullet\\\nz}")
        << "a\u00A0bc-d—–‘x’{}\\“y”•\nz";
    QTest::newRow("nested too deep") << QByteArray("{\\rtf1 ") + QByteArray(2000, '{') +
                                            "\\i Picea" + QByteArray(2000, '}') + " abies}"
                                     << "/Picea/ abies";
}

void TestStyledText::rtf() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(marked(rtfText(rtf)), expected);
}

void TestStyledText::document_data() {
    // A file's bytes, or with `zipped` the entries of the zip file that it is: name, content ...
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArrayList>("zipped");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow(".docx")
        << "a.docx"
        << QByteArrayList{"[Content_Types].xml", "<?xml version=\"1.0\"?><Types/>",
                          "word/document.xml",
                          wordDocument(
                              "<w:p><w:pPr><w:rPr><w:i/></w:rPr></w:pPr><w:r><w:t "
                              "xml:space=\"preserve\">"
                              "Smrk </w:t></w:r><w:r><w:rPr><w:b/><w:i/></w:rPr><w:t>Picea "
                              "abies</w:t></w:r>"
                              "<w:r><w:rPr><w:i w:val=\"0\"/></w:rPr><w:t xml:space=\"preserve\"> "
                              "(L.)</w:t>"
                              "<w:tab/><w:t>H.Karst.</w:t></w:r><w:del><w:r><w:delText>smazáno</"
                              "w:delText>"
                              "</w:r></w:del></w:p><w:p/><w:p><w:r><w:rPr><w:i "
                              "w:val=\"true\"/></w:rPr>"
                              "<w:t>Cymbidium pul-</w:t><w:br/><w:t>cheilum</w:t></w:r><w:r><w:rPr>"
                              "<w:i "
                              "w:val=\"false\"/></w:rPr><w:noBreakHyphen/><w:t>x</"
                              "w:t><w:instrText> PAGE "
                              "</w:instrText></w:r></w:p><w:p><w:r><mc:AlternateContent><mc:Choice>"
                              "<w:drawing><w:txbxContent><w:p><w:r><w:t>Rámeček</w:t></w:r></w:p>"
                              "</w:txbxContent></w:drawing></"
                              "mc:Choice><mc:Fallback><w:pict><w:txbxContent>"
                              "<w:p><w:r><w:t>Rámeček</w:t></w:r></w:p></w:txbxContent></w:pict>"
                              "</mc:Fallback></mc:AlternateContent></w:r></w:p>")}
        << QByteArray()
        << "Smrk /Picea abies/ (L.)\tH.Karst.\n/Cymbidium pul-\ncheilum/-x\nRámeček";
    QTest::newRow(".odt")
        << "a.odt"
        << QByteArrayList{"mimetype",
                          "application/vnd.oasis.opendocument.text",
                          "styles.xml",
                          odfStyles,
                          "content.xml",
                          odfContent(
                              "<style:style style:name=\"T1\" "
                              "style:family=\"text\"><style:text-properties "
                              "fo:font-style=\"italic\"/></style:style><style:style "
                              "style:name=\"T2\" "
                              "style:family=\"text\"><style:text-properties "
                              "fo:font-style=\"normal\"/>"
                              "</style:style><style:style style:name=\"P1\" "
                              "style:family=\"paragraph\" "
                              "style:parent-style-name=\"Quotations\"/>",
                              "<text:h>Flora</text:h><text:p>Smrk  <text:span "
                              "text:style-name=\"T1\">"
                              "Picea abies</text:span> (L.)<text:s "
                              "text:c=\"2\"/>H.Karst.<text:tab/>"
                              "<text:span text:style-name=\"Emphasis\">Abies</text:span><text:note>"
                              "<text:note-citation>1</"
                              "text:note-citation><text:note-body><text:p>poznámka"
                              "</text:p></text:note-body></text:note></text:p><office:annotation>"
                              "<dc:creator>A</dc:creator><text:p>komentář</text:p></"
                              "office:annotation>"
                              "<text:p text:style-name=\"P1\">Cymbidium "
                              "pul-<text:line-break/>cheilum "
                              "<text:span text:style-name=\"T2\">Sw.</text:span></text:p>")}
        << QByteArray()
        << "Flora\nSmrk /Picea abies/ (L.)  H.Karst.\t/Abies/\n/Cymbidium pul-\ncheilum /Sw.";
    QTest::newRow("RTF by its content")
        << "a.txt" << QByteArrayList() << QByteArray(" \r\n{\\rtf1 {\\i Picea}}") << "/Picea/";
    QTest::newRow("HTML by its content")
        << "a.rtf" << QByteArrayList() << QByteArray("\xEF\xBB\xBF\n<p><i>Picea</i>") << "/Picea/";
    QTest::newRow("text that begins with markup")
        << "a.html" << QByteArrayList() << QByteArray("<i>Picea</i>") << "<i>Picea</i>";
}

void TestStyledText::document() {
    QFETCH(QString, file);
    QFETCH(QByteArrayList, zipped);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QTemporaryDir dir;
    const QString path = dir.filePath(file);
    if (zipped.isEmpty()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    } else {
        writeZip(path, zipped);
    }
    // Through a link as well: a document is read where it leads.
    const QString link = dir.filePath("link");
    QVERIFY(QFile::link(path, link));
    QCOMPARE(marked(documentText(path)), expected);
    QCOMPARE(marked(documentText(link)), expected);
}

void TestStyledText::refusedDocument_data() {
    QTest::addColumn<QByteArrayList>("zipped");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("damaged .docx")
        << QByteArrayList{"word/document.xml", wordDocument("<w:p><w:r><w:t>x</w:r></w:p>")}
        << QByteArray() << "dokument je poškozený, řádek 1 jeho XML nelze číst";
    QTest::newRow("other zip") << QByteArrayList{"meta.xml", "<archive/>"} << QByteArray()
                               << "archiv zip, který není dokumentem .docx ani .odt";
    QTest::newRow("cut zip") << QByteArrayList() << QByteArray("PK\x03\x04\x14\0\0\0", 8)
                             << "archiv zip";
    QTest::newRow(".doc") << QByteArrayList()
                          << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0\0\0", 12)
                          << "Word 97–2003 (.doc)";
    QTest::newRow("PDF") << QByteArrayList() << QByteArray("%PDF-1.7\n") << "PDF kontrola nečte";
}

void TestStyledText::refusedDocument() {
    QFETCH(QByteArrayList, zipped);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QTemporaryDir dir;
    const QString path = dir.filePath("document");
    if (zipped.isEmpty()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    } else {
        writeZip(path, zipped);
    }
    try {
        documentText(path);
        QFAIL("a document that is none was read");
    } catch (const DocumentError& error) {
        const QString text = QString::fromUtf8(error.what());
        QVERIFY2(text.startsWith(path) && text.contains(message), qPrintable(text));
    }
}

void TestStyledText::fifoIsRefusedUnread() {
    const FifoTrap trap;
    const QTemporaryDir dir;
    const QString link = dir.filePath("link.docx");
    QVERIFY(QFile::link(trap.path(), link));
    for (const QString& path : {trap.path(), link, dir.path()}) {
        try {
            documentText(path);
            QFAIL("something other than a file was read");
        } catch (const DocumentError& error) {
            const QString text = QString::fromUtf8(error.what());
            QVERIFY2(text.contains("není obyčejný soubor"), qPrintable(text));
        }
    }
}

void TestStyledText::largeDocumentIsRefused() {
    const QTemporaryDir dir;
    QFile file(dir.filePath("large.txt"));
    // A sparse file: its size costs no disk, and it must not be read at all.
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(largestDocument + 1));
    file.close();
    try {
        documentText(file.fileName());
        QFAIL("a document larger than the limit was read");
    } catch (const DocumentError& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains("větší než 64 MiB"), error.what());
    }
}

QTEST_GUILESS_MAIN(TestStyledText)
#include "tst_styledtext.moc"
