#include "check/DocumentParts.h"
#include "check/TextBuilder.h"

#include <QHash>
#include <QXmlStreamReader>
#include <algorithm>
#include <optional>

namespace {

constexpr QLatin1StringView
    wordMain("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
constexpr QLatin1StringView wordStrict("http://purl.oclc.org/ooxml/wordprocessingml/main");
constexpr QLatin1StringView
    markupCompatibility("http://schemas.openxmlformats.org/markup-compatibility/2006");
constexpr QLatin1StringView odfText("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
constexpr QLatin1StringView odfStyle("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
constexpr QLatin1StringView
    odfFormatting("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
constexpr QLatin1StringView odfOffice("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
constexpr QLatin1StringView odfSvg("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");

// An ODF run of spaces longer than this is cut to it: a document never needs more, and a
// flood of long runs would make a small file a huge text.
constexpr int longestSpaceRun = 64;

void requireRead(const QXmlStreamReader& reader, const QString& name) {
    if (reader.hasError())
        failDocument(
            DocumentTexts::tr("%1: dokument je poškozený, řádek %2 jeho XML nelze číst: %3")
                .arg(name)
                .arg(reader.lineNumber())
                .arg(reader.errorString()));
}

// An ODF style: its own slant, if it sets one, and the style it is based on, as family/name.
struct OdfStyle {
    std::optional<bool> italic;
    QString parent;
};
using OdfStyles = QHash<QString, OdfStyle>;

QString styleKey(QStringView family, QStringView name) {
    return family.toString() + u'/' + name.toString();
}

void readOdfStyles(const QByteArray& xml, OdfStyles& styles, const QString& name) {
    QXmlStreamReader reader(xml);
    QString style; // the style:style being read
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (reader.namespaceUri() != odfStyle)
            continue;
        if (token == QXmlStreamReader::EndElement && reader.name() == u"style") {
            style.clear();
        } else if (token == QXmlStreamReader::StartElement && reader.name() == u"style") {
            const QXmlStreamAttributes attributes = reader.attributes();
            const QStringView family = attributes.value(odfStyle, QLatin1StringView("family"));
            const QStringView parent =
                attributes.value(odfStyle, QLatin1StringView("parent-style-name"));
            style = styleKey(family, attributes.value(odfStyle, QLatin1StringView("name")));
            styles[style].parent = parent.isEmpty() ? QString() : styleKey(family, parent);
        } else if (token == QXmlStreamReader::StartElement && reader.name() == u"text-properties" &&
                   !style.isEmpty()) {
            const QStringView slant =
                reader.attributes().value(odfFormatting, QLatin1StringView("font-style"));
            if (slant == u"italic" || slant == u"oblique")
                styles[style].italic = true;
            else if (slant == u"normal")
                styles[style].italic = false;
        }
    }
    requireRead(reader, name);
}

// The slant a style sets, itself or through the styles it is based on.
std::optional<bool> italicOf(const OdfStyles& styles, QString style) {
    // A loop of bases ends somewhere.
    for (int based = 0; based < 32 && !style.isEmpty(); ++based) {
        const auto found = styles.constFind(style);
        if (found == styles.constEnd())
            break;
        if (found->italic)
            return found->italic;
        style = found->parent;
    }
    return std::nullopt;
}

} // namespace

StyledText wordText(const QByteArray& documentXml, const QString& name) {
    QXmlStreamReader reader(documentXml);
    TextBuilder text;
    enum class Part { Other, Run, RunProperties };
    // The open elements: a run, its properties or another, and the run's slant.
    struct Open {
        Part part;
        bool italic;
    };
    QList<Open> open;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        const QStringView space = reader.namespaceUri();
        const bool word = space == wordMain || space == wordStrict;
        if (token == QXmlStreamReader::EndElement) {
            open.removeLast();
            if (word && reader.name() == u"p")
                text.endParagraph();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView local = reader.name();
        // What another program would show in place of a text box, and text deleted while
        // changes were tracked.
        if ((space == markupCompatibility && local == u"Fallback") ||
            (word && (local == u"del" || local == u"moveFrom"))) {
            reader.skipCurrentElement();
            continue;
        }
        const bool inRun = !open.isEmpty() && open.last().part == Part::Run;
        const bool italic = !open.isEmpty() && open.last().italic;
        Part part = Part::Other;
        if (word && inRun && local == u"t") {
            text.append(reader.readElementText(), italic);
            continue;
        }
        if (word && local == u"p") {
            text.endParagraph();
        } else if (word && local == u"r") {
            part = Part::Run;
        } else if (word && inRun && local == u"rPr") {
            part = Part::RunProperties;
        } else if (word && inRun && local == u"tab") {
            text.append(u"\t", italic);
        } else if (word && inRun && (local == u"br" || local == u"cr")) {
            text.lineBreak(italic);
        } else if (word && inRun && local == u"noBreakHyphen") {
            text.append(u"-", italic);
        } else if (word && local == u"i" && open.size() >= 2 &&
                   open.last().part == Part::RunProperties) {
            const QStringView value = reader.attributes().value(
                space == wordMain ? wordMain : wordStrict, QLatin1StringView("val"));
            open[open.size() - 2].italic = !isOneOf(value, {u"0", u"false", u"off"});
        }
        open.append({part, part == Part::Run ? false : italic});
    }
    requireRead(reader, name);
    return text.take();
}

StyledText openDocumentText(const QByteArray& contentXml, const QByteArray& stylesXml,
                            const QString& name) {
    OdfStyles styles;
    if (!stylesXml.isEmpty())
        readOdfStyles(stylesXml, styles, name);
    readOdfStyles(contentXml, styles, name);

    QXmlStreamReader reader(contentXml);
    TextBuilder text;
    struct Open {
        bool italic;
        bool paragraph;
    };
    QList<Open> open;
    int paragraphs = 0; // open text:p and text:h
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::Characters) {
            if (paragraphs > 0)
                text.appendCollapsing(reader.text(), open.last().italic);
            continue;
        }
        if (token == QXmlStreamReader::EndElement) {
            if (open.takeLast().paragraph) {
                --paragraphs;
                text.endParagraph();
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView space = reader.namespaceUri();
        const QStringView local = reader.name();
        // Notes, comments, deleted text and pictures' descriptions are not the text's.
        if ((space == odfText && isOneOf(local, {u"note", u"tracked-changes"})) ||
            (space == odfOffice && local == u"annotation") ||
            (space == odfSvg && isOneOf(local, {u"title", u"desc"}))) {
            reader.skipCurrentElement();
            continue;
        }
        const bool inherited = !open.isEmpty() && open.last().italic;
        Open element{inherited, false};
        if (space == odfText) {
            const QStringView style =
                reader.attributes().value(odfText, QLatin1StringView("style-name"));
            if (local == u"p" || local == u"h") {
                element = {italicOf(styles, styleKey(u"paragraph", style)).value_or(inherited),
                           true};
                ++paragraphs;
                text.endParagraph();
            } else if (local == u"span") {
                element.italic = italicOf(styles, styleKey(u"text", style)).value_or(inherited);
            } else if (local == u"s") {
                const QStringView count =
                    reader.attributes().value(odfText, QLatin1StringView("c"));
                const int spaces = count.isEmpty() ? 1 : count.toInt();
                text.append(QString(std::clamp(spaces, 1, longestSpaceRun), u' '), inherited);
            } else if (local == u"tab") {
                text.append(u"\t", inherited);
            } else if (local == u"line-break") {
                text.lineBreak(inherited);
            }
        }
        open.append(element);
    }
    requireRead(reader, name);
    return text.take();
}
