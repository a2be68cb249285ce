#include "platform/RtfWriter.h"

#include "platform/CopyableText.h"

namespace {

// RTF text of what a copy carries: its three special characters escaped, everything beyond
// ASCII as a UTF-16 code unit in a signed \u escape with "?" for readers that do not know it.
QByteArray escaped(QStringView text) {
    QByteArray out;
    for (const QChar ch : copyableText(text)) {
        const char16_t unit = ch.unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}')
            out.append('\\').append(char(unit));
        else if (unit == u'\t')
            out += "\\tab ";
        else if (unit < 0x80)
            out += char(unit);
        else
            out += "\\u" + QByteArray::number(qint16(unit)) + '?';
    }
    return out;
}

// The font and colour tables of the base format and the start of a paragraph in it.
QByteArray formatted(const BaseFormat& format) {
    // A semicolon ends a font table entry, so it cannot stand in the face name.
    QByteArray rtf = "\\deff0{\\fonttbl{\\f0\\fnil\\fcharset" + QByteArray::number(format.charset) +
                     "\\fprq" + (format.fixedPitch ? "1 " : "2 ") +
                     escaped(QString(format.face).remove(u';')) + ";}}";
    rtf += "{\\colortbl;\\red" + QByteArray::number(format.colour.red()) + "\\green" +
           QByteArray::number(format.colour.green()) + "\\blue" +
           QByteArray::number(format.colour.blue()) + ";}";
    rtf += "\\pard\\plain\\f0\\fs" + QByteArray::number(format.pointSize * 2) + "\\cf1";
    if (format.bold)
        rtf += "\\b";
    if (format.underline)
        rtf += "\\ul";
    if (format.strikeout)
        rtf += "\\strike";
    return rtf;
}

} // namespace

QByteArray writeRtf(const QList<FormattedText>& paragraphs, const BaseFormat& format) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250\\uc1";
    // A format the user did not choose names no font, colour or style, not even a default
    // font (\deff): Writer then pastes the text in the face and size of its paragraph.
    rtf += format.chosen ? formatted(format) : QByteArray("\\pard\\plain");
    for (qsizetype at = 0; at < paragraphs.size(); ++at) {
        if (at > 0)
            rtf += "\\par ";
        const FormattedText& paragraph = paragraphs[at];
        for (const TextRun& run : paragraph.runs)
            rtf += QByteArray(run.italic ? "{\\i " : "{\\i0 ") +
                   escaped(QStringView(paragraph.text).sliced(run.start, run.length)) + '}';
    }
    return rtf + '}';
}

QByteArray writeRtf(const FormattedText& name, const BaseFormat& format) {
    return writeRtf(QList<FormattedText>{name}, format);
}
