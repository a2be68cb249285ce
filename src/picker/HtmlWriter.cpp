#include "picker/HtmlWriter.h"

#include "picker/CopyableText.h"

namespace {

QString cssStyle(const BaseFormat& format) {
    if (!format.chosen)
        return QStringLiteral("font-style:normal;white-space:pre-wrap");
    QStringList decorations;
    if (format.underline)
        decorations.append(QStringLiteral("underline"));
    if (format.strikeout)
        decorations.append(QStringLiteral("line-through"));
    QString face = copyableText(format.face);
    face.remove(u'\'').remove(u'"').remove(u'\\');
    // One arg() for all, so that a "%1" in the face stays text.
    return QStringLiteral("font-family:'%1';font-size:%2pt;color:%3;font-weight:%4;"
                          "font-style:normal;text-decoration:%5;white-space:pre-wrap")
        .arg(face.toHtmlEscaped(), QString::number(format.pointSize), format.colour.name(),
             format.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
             decorations.isEmpty() ? QStringLiteral("none") : decorations.join(u' '));
}

} // namespace

QByteArray writeHtml(const FormattedName& name, const BaseFormat& format) {
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>"
                                  "<!--StartFragment--><span style=\"") +
                   cssStyle(format) + QStringLiteral("\">");
    for (const TextRun& run : name.runs) {
        const QString text =
            copyableText(QStringView(name.text).sliced(run.start, run.length)).toHtmlEscaped();
        html += run.italic ? QStringLiteral("<i>") + text + QStringLiteral("</i>") : text;
    }
    html += QStringLiteral("</span><!--EndFragment--></body></html>");
    return html.toUtf8();
}
