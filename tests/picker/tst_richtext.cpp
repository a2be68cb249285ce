#include "picker/HtmlWriter.h"
#include "picker/RtfWriter.h"
#include "support/RichTextReader.h"

#include <QTest>

Q_DECLARE_METATYPE(FormattedName)

namespace {

// A name from its markup: italic stretches between slashes.
FormattedName nameOf(const QString& markup) {
    FormattedName name;
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
        const FormattedName name = nameOf(markup);
        QCOMPARE(readRtf(writeRtf(name, plainFormat())).markup, markup);
        QCOMPARE(readHtml(writeHtml(name, plainFormat())).markup, markup);
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
        const FormattedName name = nameOf("/Picea abies /L.");
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

    void faceNameIsCutTo31Characters() {
        BaseFormat format;
        format.setFace(QString(40, u'x'));
        QCOMPARE(readRtf(writeRtf(nameOf("/Abies/"), format)).face, QString(31, u'x'));
    }

    void htmlDeclaresItsCharset() {
        QVERIFY(writeHtml(nameOf("/Abies/"), plainFormat()).contains("<meta charset=\"utf-8\">"));
    }
};

QTEST_MAIN(TestRichText)
#include "tst_richtext.moc"
