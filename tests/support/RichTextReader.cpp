#include "support/RichTextReader.h"

#include <QMap>
#include <QTextBlock>
#include <QTextDocument>
#include <cctype>

namespace {

struct RtfState {
    bool italic = false;
    bool bold = false;
    bool underline = false;
    bool strikeout = false;
    int font = -1;    // none selected: the paragraph's
    int fontSize = 0; // half-points; none: the paragraph's
    int colourIndex = 0;
    enum class Destination { Text, FontTable, ColourTable } destination = Destination::Text;
};

void appendMarked(RichText& result, bool& italicNow, const QString& text, bool italic) {
    if (text.isEmpty())
        return;
    if (italic != italicNow)
        result.markup += u'/';
    italicNow = italic;
    result.markup += text;
    QList<TextRun>& runs = result.name.runs;
    if (runs.isEmpty() || runs.last().italic != italic)
        runs.append({result.name.text.size(), 0, italic});
    runs.last().length += text.size();
    result.name.text += text;
}

} // namespace

RichText readRtf(const QByteArray& rtf) {
    RichText result;
    QList<RtfState> stack{RtfState()};
    // Entry 0, ended by the table's first ";", is the reader's automatic colour.
    QList<QColor> colours;
    QMap<int, QString> faces;
    int defaultFont = -1;
    int tableFont = 0; // the font table entry being read
    int red = 0, green = 0, blue = 0;
    bool italicNow = false;
    bool formatTaken = false;
    int skip = 0;
    for (qsizetype pos = 0; pos < rtf.size();) {
        RtfState& state = stack.last();
        const auto emitChar = [&](QChar ch) {
            if (skip > 0) {
                --skip;
                return;
            }
            if (state.destination == RtfState::Destination::FontTable) {
                if (ch != u';')
                    faces[tableFont] += ch;
                return;
            }
            if (state.destination != RtfState::Destination::Text)
                return;
            if (!formatTaken) {
                formatTaken = true;
                result.face = faces.value(state.font >= 0 ? state.font : defaultFont);
                result.pointSize = state.fontSize / 2;
                result.bold = state.bold;
                result.underline = state.underline;
                result.strikeout = state.strikeout;
                result.colour = colours.value(state.colourIndex);
            }
            appendMarked(result, italicNow, QString(ch), state.italic);
        };
        const char c = rtf[pos];
        if (c == '{') {
            stack.append(state);
            ++pos;
        } else if (c == '}') {
            stack.removeLast();
            ++pos;
        } else if (c == '\r' || c == '\n') {
            ++pos;
        } else if (c != '\\') {
            if (state.destination == RtfState::Destination::ColourTable && c == ';') {
                colours.append(QColor(red, green, blue));
                red = green = blue = 0;
            }
            emitChar(QChar::fromLatin1(c));
            ++pos;
        } else if (rtf.mid(pos + 1, 1) == "'") {
            emitChar(QChar::fromLatin1(char(rtf.mid(pos + 2, 2).toInt(nullptr, 16))));
            pos += 4;
        } else if (pos + 1 < rtf.size() && !std::isalpha(uchar(rtf[pos + 1]))) {
            emitChar(QChar::fromLatin1(rtf[pos + 1]));
            pos += 2;
        } else {
            qsizetype end = pos + 1;
            while (end < rtf.size() && std::isalpha(uchar(rtf[end])))
                ++end;
            const QByteArray word = rtf.mid(pos + 1, end - pos - 1);
            qsizetype numberEnd = end;
            if (numberEnd < rtf.size() && rtf[numberEnd] == '-')
                ++numberEnd;
            while (numberEnd < rtf.size() && std::isdigit(uchar(rtf[numberEnd])))
                ++numberEnd;
            const bool hasNumber = numberEnd > end;
            const int number = hasNumber ? rtf.mid(end, numberEnd - end).toInt() : 1;
            pos = numberEnd < rtf.size() && rtf[numberEnd] == ' ' ? numberEnd + 1 : numberEnd;
            if (word == "i")
                state.italic = number != 0;
            else if (word == "b")
                state.bold = number != 0;
            else if (word == "ul")
                state.underline = number != 0;
            else if (word == "strike")
                state.strikeout = number != 0;
            else if (word == "f" && state.destination == RtfState::Destination::FontTable)
                tableFont = number;
            else if (word == "f")
                state.font = number;
            else if (word == "deff")
                defaultFont = number;
            else if (word == "fs")
                state.fontSize = number;
            else if (word == "cf")
                state.colourIndex = number;
            else if (word == "fonttbl")
                state.destination = RtfState::Destination::FontTable;
            else if (word == "colortbl")
                state.destination = RtfState::Destination::ColourTable;
            else if (word == "fcharset")
                result.charset = number;
            else if (word == "red")
                red = number;
            else if (word == "green")
                green = number;
            else if (word == "blue")
                blue = number;
            else if (word == "tab")
                emitChar(u'\t');
            else if (word == "par")
                emitChar(u'\n');
            else if (word == "u") {
                emitChar(QChar(char16_t(number < 0 ? number + 65536 : number)));
                skip = 1;
            }
        }
    }
    if (italicNow)
        result.markup += u'/';
    return result;
}

RichText readHtml(const QByteArray& html) {
    QTextDocument document;
    document.setHtml(QString::fromUtf8(html));
    RichText result;
    bool italicNow = false;
    bool formatTaken = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            appendMarked(result, italicNow, QStringLiteral("\n"), false);
        // A paragraph that holds only a line break shows as an empty one.
        if (block.text() == QChar(QChar::LineSeparator))
            continue;
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (!formatTaken) {
                formatTaken = true;
                result.face = format.fontFamilies().toStringList().value(0);
                result.pointSize = qRound(format.fontPointSize());
                result.bold = format.fontWeight() >= QFont::Bold;
                result.underline = format.fontUnderline();
                result.strikeout = format.fontStrikeOut();
                if (format.hasProperty(QTextFormat::ForegroundBrush))
                    result.colour = format.foreground().color();
            }
            appendMarked(result, italicNow, fragment.fragment().text(), format.fontItalic());
        }
    }
    if (italicNow)
        result.markup += u'/';
    return result;
}
