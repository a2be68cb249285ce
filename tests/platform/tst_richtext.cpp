#include "platform/HtmlWriter.h"
#include "platform/RtfWriter.h"
#include "support/RichTextReader.h"

#include <QFont>
#include <QTest>

Q_DECLARE_METATYPE(FormattedText)

namespace {

// A name from its markup: italic stretches between slashes.
FormattedText nameOf(const QString& markup) {
    FormattedText name;
    bool italic = false;
    for (const QString& piece : markup.split(u'/')) {
        if (!piece.isEmpty())
            name.runs.append({name.text.size(), piece.size(), italic});
        name.text += piece;
        italic = !italic;
    }
    return name;
}

BaseFormat plainFormat() {
    BaseFormat format;
    format.setFace("MS Sans Serif");
    return format;
}

} // namespace

class TestRichText : public QObject {
    Q_OBJECT

private slots:
    void runsSurviveBothFormats_data() {
        QTest::addColumn<QString>("markup");
        QTest::newRow("species with author") << "/Picea abies /(L.) H.Karst.";
        QTest::newRow("diacritics and rank word")
            << "/Picea abies /(L.) H.Karst. subsp./ obovata /(Ledeb.) Hultén";
        QTest::newRow("hybrid sign") << "/Salix /×/rubens /Schrank";
        QTest::newRow("two spaces in a row")
            << "/Dianthus carthusianorum / subsp./ carthusianorum/";
        QTest::newRow("Czech authors") << "/Sorbus /Čelak. & Dostál ex Soó";
        QTest::newRow("characters that RTF and HTML escape") << "/A{b}c\\d /<e> & \"f\"";
        QTest::newRow("beyond the basic plane") << "/Rosa /𝔄uct.";
    }
    void runsSurviveBothFormats() {
        QFETCH(QString, markup);
        const FormattedText name = nameOf(markup);
        QCOMPARE(readRtf(writeRtf(name, plainFormat())).markup, markup);
        QCOMPARE(readHtml(writeHtml(name, plainFormat())).markup, markup);
    }

    // A text goes as its paragraphs, each with its own runs; an italic run ends with its
    // paragraph.
    void paragraphsSurviveBothFormats() {
        const QString markup =
            QStringLiteral("In /Picea abies/ (L.) H.Karst.\n/Larix/ sp. too\n\nend");
        QList<FormattedText> paragraphs;
        for (const QString& line : markup.split(u'\n'))
            paragraphs.append(nameOf(line));
        QCOMPARE(readRtf(writeRtf(paragraphs, BaseFormat())).markup, markup);
        QCOMPARE(readHtml(writeHtml(paragraphs, BaseFormat())).markup, markup);
    }

    // A copy is one line of characters: what cannot stand there is left out, and a lone
    // surrogate, which UTF-8 cannot carry, comes back as U+FFFD.
    void charactersACopyCannotCarry_data() {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("carried");
        const auto unit = [](char16_t code) { return QString(QChar(code)); };
        QTest::newRow("zero and line breaks") << "/Abies" + unit(0) + "alba/ Mill.\r\n"
                                              << "/Abiesalba/ Mill.";
        QTest::newRow("tab kept, other controls left out")
            << "/Abies\talba/" + unit(0x01) + unit(0x7f) + unit(0x85) << "/Abies\talba/";
        QTest::newRow("line and paragraph separators") << "/Abies\u2028alba/\u2029Mill."
                                                       << "/Abiesalba/Mill.";
        QTest::newRow("noncharacters")
            << "/Abies\ufdd0/\uffff" + QString::fromUcs4(U"\U0001FFFE") << "/Abies/";
        QTest::newRow("run of left-out characters only") << "/Abies/" + unit(0x01) + "/alba/"
                                                         << "/Abiesalba/";
        QTest::newRow("lone surrogates")
            << "/Rosa " + unit(0xd800) + "/x" + unit(0xdc00) << "/Rosa \ufffd/x\ufffd";
    }
    void charactersACopyCannotCarry() {
        QFETCH(QString, markup);
        QFETCH(QString, carried);
        const FormattedText name = nameOf(markup);
        QCOMPARE(readRtf(writeRtf(name, plainFormat())).markup, carried);
        const QByteArray html = writeHtml(name, plainFormat());
        QVERIFY(!html.contains('\0'));
        QCOMPARE(readHtml(html).markup, carried);
    }

    void rtfIsAscii() {
        const QByteArray rtf = writeRtf(nameOf("/Salix /×/rubens /Hultén"), plainFormat());
        for (const char byte : rtf)
            QVERIFY2(uchar(byte) < 0x80, rtf.constData());
        QVERIFY(rtf.contains("\\u215?"));
    }

    void baseFormatIsCarried_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strikeout");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("window font")
            << "MS Sans Serif" << 8 << false << false << false << QColor(Qt::black);
        QTest::newRow("bold serif")
            << "Times New Roman" << 12 << true << false << false << QColor(Qt::black);
        QTest::newRow("underlined, struck, coloured")
            << "DejaVu Sans" << 11 << false << true << true << QColor(0, 0, 128);
        QTest::newRow("face with diacritics")
            << "Písmo Šířka" << 10 << false << false << false << QColor(Qt::darkGreen);
        QTest::newRow("face with percent signs")
            << "100% Sans %2 %1" << 12 << true << true << false << QColor(Qt::red);
        QTest::newRow("face with quotes and backslashes")
            << "Joe's \"Q\" Sans \\1 \\" << 9 << false << false << false << QColor(Qt::black);
    }
    void baseFormatIsCarried() {
        QFETCH(QString, face);
        QFETCH(int, size);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        QFETCH(bool, strikeout);
        QFETCH(QColor, colour);
        BaseFormat format;
        format.chosen = true;
        format.setFace(face);
        format.pointSize = size;
        format.bold = bold;
        format.underline = underline;
        format.strikeout = strikeout;
        format.colour = colour;
        const FormattedText name = nameOf("/Picea abies /L.");
        for (const RichText& read :
             {readRtf(writeRtf(name, format)), readHtml(writeHtml(name, format))}) {
            QCOMPARE(read.face, face);
            QCOMPARE(read.pointSize, size);
            QCOMPARE(read.bold, bold);
            QCOMPARE(read.underline, underline);
            QCOMPARE(read.strikeout, strikeout);
            QCOMPARE(read.colour, colour);
        }
        QCOMPARE(readRtf(writeRtf(name, format)).charset, 238);
    }

    // Until the user chooses a base font, the name takes the paragraph's face, size and
    // colour: the window's own, which the format then holds, may be white on a dark desktop.
    void formatNotChosenIsLeftToTheParagraph() {
        BaseFormat format = BaseFormat::fromFont(QFont("DejaVu Serif", 14, QFont::Bold), Qt::white);
        format.underline = format.strikeout = true;
        const FormattedText name = nameOf("/Picea abies /L.");
        for (const RichText& read :
             {readRtf(writeRtf(name, format)), readHtml(writeHtml(name, format))}) {
            QCOMPARE(read.markup, QString("/Picea abies /L."));
            QCOMPARE(read.face, QString());
            QCOMPARE(read.pointSize, 0);
            QVERIFY(!read.bold && !read.underline && !read.strikeout);
            QVERIFY(!read.colour.isValid());
        }
    }

    void faceNameIsCutTo31Characters() {
        BaseFormat format;
        format.chosen = true;
        format.setFace(QString(40, u'x'));
        QCOMPARE(readRtf(writeRtf(nameOf("/Abies/"), format)).face, QString(31, u'x'));
    }

    void htmlDeclaresItsCharset() {
        QVERIFY(writeHtml(nameOf("/Abies/"), plainFormat()).contains("<meta charset=\"utf-8\">"));
    }
};

QTEST_MAIN(TestRichText)
#include "tst_richtext.moc"
