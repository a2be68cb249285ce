#include "platform/HtmlWriter.h"

#include "platform/CopyableText.h"

namespace {

// A text between single quotes in CSS, where a backslash starts an escape: a quote or
// backslash is escaped with one. Qt's reader also takes a hex digit after an escaped backslash
// for an escape of its own, so such a digit is written as a six-digit escape, as is the blank
// after that, which the standard reader would swallow.
QString cssQuoted(QStringView text) {
    QString quoted;
    bool afterBackslash = false;
    bool afterHexEscape = false;
    for (const QChar c : text) {
        const bool hexEscape =
            (afterBackslash && QStringView(u"0123456789abcdefABCDEF").contains(c)) ||
            (afterHexEscape && (c == u' ' || c == u'\t'));
        if (hexEscape)
            quoted += QStringLiteral("\\%1").arg(c.unicode(), 6, 16, QChar(u'0'));
        else if (c == u'\\' || c == u'\'')
            quoted.append(u'\\').append(c);
        else
            quoted += c;
        afterBackslash = !hexEscape && c == u'\\';
        afterHexEscape = hexEscape;
    }
    return u'\'' + quoted + u'\'';
}

QString cssStyle(const BaseFormat& format) {
    if (!format.chosen)
        return QStringLiteral("font-style:normal;white-space:pre-wrap");
    QStringList decorations;
    if (format.underline)
        decorations.append(QStringLiteral("underline"));
    if (format.strikeout)
        decorations.append(QStringLiteral("line-through"));
    // One arg() for all, so that a "%1" in the face stays text.
    return QStringLiteral("font-family:%1;font-size:%2pt;color:%3;font-weight:%4;"
                          "font-style:normal;text-decoration:%5;white-space:pre-wrap")
        .arg(cssQuoted(copyableText(format.face)).toHtmlEscaped(),
             QString::number(format.pointSize), format.colour.name(),
             format.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
             decorations.isEmpty() ? QStringLiteral("none") : decorations.join(u' '));
}

} // namespace

QByteArray writeHtml(const QList<FormattedText>& paragraphs, const BaseFormat& format) {
    const QString span =
        QStringLiteral("<span style=\"") + cssStyle(format) + QStringLiteral("\">");
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>"
                                  "<!--StartFragment-->");
    // One paragraph goes without <p>, so that a name pastes into the paragraph it lands in.
    const bool several = paragraphs.size() > 1;
    for (const FormattedText& paragraph : paragraphs) {
        // An empty paragraph holds a line break, as word processors write it: readers drop
        // an empty <p>.
        if (several && paragraph.text.isEmpty()) {
            html += QStringLiteral("<p><br></p>");
            continue;
        }
        html += several ? QStringLiteral("<p>") + span : span;
        for (const TextRun& run : paragraph.runs) {
            const QString text =
                copyableText(QStringView(paragraph.text).sliced(run.start, run.length))
                    .toHtmlEscaped();
            html += run.italic ? QStringLiteral("<i>") + text + QStringLiteral("</i>") : text;
        }
        html += several ? QStringLiteral("</span></p>") : QStringLiteral("</span>");
    }
    html += QStringLiteral("<!--EndFragment--></body></html>");
    return html.toUtf8();
}

QByteArray writeHtml(const FormattedText& name, const BaseFormat& format) {
    return writeHtml(QList<FormattedText>{name}, format);
}
