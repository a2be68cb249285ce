// A formatted name from any texts and format choices, written as RTF and as HTML and read
// back as a word processor reads each: the text and its italic and upright runs must come
// back as they went in, and so must the base format. A copy is one line of characters: what
// cannot stand there (controls but tab, line and paragraph separators, noncharacters) is
// left out, and a lone surrogate comes back as U+FFFD.
//
// The input is lines of UTF-8, where \uXXXX stands for any UTF-16 code unit:
//   level (0-2), flags (a authors, b bold, u underline, s strikeout, c chosen, f fixed pitch),
//   point size, #rrggbb colour and the face, separated by spaces
//   genus
//   species
//   subspecies
//   species author
//   subspecies author
#include "fuzz/FuzzCheck.h"
#include "picker/FormattedName.h"
#include "platform/HtmlWriter.h"
#include "platform/RtfWriter.h"
#include "support/RichTextReader.h"

#include <QGuiApplication>

namespace {

QString unescaped(const QString& line) {
    QString text;
    for (qsizetype pos = 0; pos < line.size(); ++pos) {
        const QString digits = line.mid(pos + 2, 4);
        bool isHex = false;
        const ushort unit = digits.toUShort(&isHex, 16);
        if (QStringView(line).sliced(pos).startsWith(u"\\u") && digits.size() == 4 && isHex) {
            text += QChar(unit);
            pos += 5;
        } else {
            text += line[pos];
        }
    }
    return text;
}

struct Input {
    int level = 2;
    bool authors = false;
    BaseFormat format;
    QString genus, species, subsp, speciesAuthor, subspAuthor;
};

Input inputOf(const QByteArray& bytes) {
    QStringList lines;
    for (const QByteArray& line : bytes.split('\n'))
        lines.append(unescaped(QString::fromUtf8(line)));
    Input in;
    const QStringList choices = lines.value(0).split(u' ');
    in.level = qBound(0, choices.value(0).toInt(), 2);
    const QString flags = choices.value(1);
    in.authors = flags.contains(u'a');
    in.format.bold = flags.contains(u'b');
    in.format.underline = flags.contains(u'u');
    in.format.strikeout = flags.contains(u's');
    in.format.chosen = flags.contains(u'c');
    in.format.fixedPitch = flags.contains(u'f');
    in.format.pointSize = qBound(1, choices.value(2).toInt(), 400);
    const QColor colour = QColor::fromString(choices.value(3));
    in.format.colour = colour.isValid() ? colour : QColor(Qt::black);
    in.format.setFace(choices.mid(4).join(u' '));
    in.genus = lines.value(1);
    in.species = lines.value(2);
    in.subsp = lines.value(3);
    in.speciesAuthor = lines.value(4);
    in.subspAuthor = lines.value(5);
    return in;
}

FormattedText nameOf(const Input& in) {
    const QList<int> pages{1};
    const QString citation;
    return composeFormattedName(in.level,
                                {in.genus, 0, in.species, 0, in.subsp, 0, in.authors, pages, pages,
                                 pages, in.speciesAuthor, in.subspAuthor, citation});
}

QString carried(const QString& text) {
    QString line;
    for (const char32_t code : text.toUcs4()) { // a lone surrogate comes as U+FFFD
        const QChar::Category category = QChar::category(code);
        const bool breaksLine = category == QChar::Separator_Line ||
                                category == QChar::Separator_Paragraph ||
                                (category == QChar::Other_Control && code != U'\t');
        if (!breaksLine && !QChar::isNonCharacter(code))
            line += QStringView(QChar::fromUcs4(code));
    }
    return line;
}

// The name as it must read back: each run carried, empty runs gone, runs of one style joined.
FormattedText carried(const FormattedText& name) {
    FormattedText expected;
    for (const TextRun& run : name.runs) {
        const QString text = carried(name.text.sliced(run.start, run.length));
        if (text.isEmpty())
            continue;
        if (expected.runs.isEmpty() || expected.runs.last().italic != run.italic)
            expected.runs.append({expected.text.size(), 0, run.italic});
        expected.runs.last().length += text.size();
        expected.text += text;
    }
    return expected;
}

void requireFormat(const RichText& read, const BaseFormat& format, const char* promise) {
    require(read.pointSize == format.pointSize && read.bold == format.bold &&
                read.underline == format.underline && read.strikeout == format.strikeout &&
                read.colour.rgb() == format.colour.rgb(), // 8 bits a channel
            promise);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Input in = inputOf(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const FormattedText name = nameOf(in);
    const FormattedText expected = carried(name);
    const QString face = carried(in.format.face);

    const RichText rtf = readRtf(writeRtf(name, in.format));
    require(rtf.name.text == expected.text, "RTF carries the text");
    require(rtf.name.runs == expected.runs, "RTF carries the runs");
    // A reader takes the format from the first character; an empty name has none.
    if (in.format.chosen && !expected.text.isEmpty()) {
        requireFormat(rtf, in.format, "RTF carries the base format");
        // A semicolon would end the font table's entry.
        require(rtf.face == QString(face).remove(u';'), "RTF carries the face");
    }
    if (!in.format.chosen)
        require(rtf.face.isEmpty() && rtf.pointSize == 0 && !rtf.colour.isValid(),
                "RTF leaves the format to the paragraph");

    const RichText html = readHtml(writeHtml(name, in.format));
    require(html.name.text == expected.text, "HTML carries the text");
    require(html.name.runs == expected.runs, "HTML carries the runs");
    if (in.format.chosen && !expected.text.isEmpty()) {
        requireFormat(html, in.format, "HTML carries the base format");
        require(html.face == face, "HTML carries the face");
    }
    return 0;
}
