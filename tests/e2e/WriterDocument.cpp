#include "e2e/WriterDocument.h"

#include "e2e/XSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <optional>

namespace {

// A flat OpenDocument text with one paragraph in the style "Body".
const char* const documentXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:font-face-decls><style:font-face style:name="%1" svg:font-family="%1"/>
 </office:font-face-decls>
 <office:styles><style:style style:name="Body" style:family="paragraph">
  <style:text-properties style:font-name="%1" fo:font-size="%2pt"/></style:style>
 </office:styles>
 <office:body><office:text><text:p text:style-name="Body">%3</text:p></office:text></office:body>
</office:document>
)";

// A first start shows the tip of the day, which would take the keys meant for the document.
const char* const profileXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry">
 <item oor:path="/org.openoffice.Office.Common/Misc">
  <prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The character properties that a style sets; what it leaves unset comes from its parent.
struct TextProperties {
    std::optional<QString> face;
    std::optional<double> pointSize;
    std::optional<bool> italic;
};

struct Style {
    QString parent;
    TextProperties properties;
};

// Reads a saved flat document: its fonts, its styles and its first paragraph's runs.
class SavedDocument {
public:
    explicit SavedDocument(const QByteArray& xml) {
        QXmlStreamReader reader(xml);
        QString styleKey;       // of the style being read
        QString paragraphStyle; // of the first paragraph, while it is read
        QString spanStyle;
        while (!reader.atEnd()) {
            reader.readNext();
            const QStringView name = reader.qualifiedName();
            if (reader.isEndElement()) {
                if (name == u"style:style" || name == u"style:default-style")
                    styleKey.clear();
                else if (name == u"text:span")
                    spanStyle.clear();
                else if (name == u"text:p")
                    return;
            } else if (reader.isCharacters() && !paragraphStyle.isEmpty()) {
                append(reader.text().toString(), paragraphStyle, spanStyle);
            } else if (reader.isStartElement()) {
                readElement(name, reader.attributes(), styleKey, paragraphStyle, spanStyle);
            }
        }
    }

    QList<StyledRun> runs;

private:
    void readElement(QStringView name, const QXmlStreamAttributes& attributes, QString& styleKey,
                     QString& paragraphStyle, QString& spanStyle) {
        if (name == u"style:font-face") {
            fonts_.insert(attributes.value("style:name").toString(),
                          attributes.value("svg:font-family").toString().remove(u'\''));
        } else if (name == u"style:style" || name == u"style:default-style") {
            styleKey = key(attributes.value("style:family"), attributes.value("style:name"));
            styles_[styleKey].parent = attributes.value("style:parent-style-name").toString();
        } else if (name == u"style:text-properties" && !styleKey.isEmpty()) {
            readProperties(attributes, styles_[styleKey].properties);
        } else if (name == u"text:p") {
            paragraphStyle = attributes.value("text:style-name").toString();
        } else if (name == u"text:span") {
            spanStyle = attributes.value("text:style-name").toString();
        } else if (name == u"text:s" && !paragraphStyle.isEmpty()) {
            const int count = attributes.value("text:c").toInt();
            append(QString(qMax(count, 1), u' '), paragraphStyle, spanStyle);
        }
    }

    static QString key(QStringView family, QStringView name) {
        return family.toString() + u'/' + name.toString();
    }

    void readProperties(const QXmlStreamAttributes& attributes, TextProperties& properties) {
        if (attributes.hasAttribute("style:font-name"))
            properties.face = fonts_.value(attributes.value("style:font-name").toString());
        if (attributes.hasAttribute("fo:font-size"))
            properties.pointSize =
                attributes.value("fo:font-size").toString().remove("pt").toDouble();
        if (attributes.hasAttribute("fo:font-style"))
            properties.italic = attributes.value("fo:font-style") != u"normal";
    }

    // The properties of a style, its parents' where it sets none, and the family's default.
    TextProperties resolved(const QString& family, QString name) const {
        TextProperties properties;
        for (int depth = 0; depth < 16; ++depth) { // a cycle of parents ends too
            const TextProperties own = styles_.value(key(family, name)).properties;
            if (!properties.face)
                properties.face = own.face;
            if (!properties.pointSize)
                properties.pointSize = own.pointSize;
            if (!properties.italic)
                properties.italic = own.italic;
            if (name.isEmpty())
                break;
            name = styles_.value(key(family, name)).parent; // empty: the family's default
        }
        return properties;
    }

    void append(const QString& text, const QString& paragraphStyle, const QString& spanStyle) {
        const TextProperties span = resolved("text", spanStyle);
        const TextProperties paragraph = resolved("paragraph", paragraphStyle);
        const StyledRun run{text, span.face.value_or(paragraph.face.value_or(QString())),
                            span.pointSize.value_or(paragraph.pointSize.value_or(0)),
                            span.italic.value_or(paragraph.italic.value_or(false))};
        if (!runs.isEmpty() && runs.last().face == run.face &&
            runs.last().pointSize == run.pointSize && runs.last().italic == run.italic)
            runs.last().text += text;
        else
            runs.append(run);
    }

    QHash<QString, QString> fonts_;
    QHash<QString, Style> styles_;
};

} // namespace

WriterDocument::WriterDocument(const XSession& session, const QString& face, int pointSize,
                               const QString& text)
    : session_(session), path_(dir_.filePath("paste.fodt")), text_(text) {
    const QString document =
        QString::fromUtf8(documentXml)
            .arg(face.toHtmlEscaped(), QString::number(pointSize), text.toHtmlEscaped());
    if (!writeFile(path_, document.toUtf8()) || !QDir(dir_.path()).mkpath("profile/user") ||
        !writeFile(dir_.filePath("profile/user/registrymodifications.xcu"), profileXml))
        return;
    writer_.setProcessEnvironment(session.environment());
    writer_.start("soffice", {"--norestore",
                              "-env:UserInstallation=file://" + dir_.filePath("profile"), path_});
}

WriterDocument::~WriterDocument() {
    // Quitting lets Writer end the office process that its starter has left running.
    if (!window_.isEmpty())
        session_.pressKey(window_, "ctrl+q");
    if (!writer_.waitForFinished(10000)) {
        writer_.terminate();
        writer_.waitForFinished(3000);
    }
}

bool WriterDocument::waitForWindow() {
    return XSession::waitFor(
        [&] {
            return !(window_ = session_.findWindow("^paste\\.fodt - LibreOffice Writer$"))
                        .isEmpty();
        },
        60000);
}

bool WriterDocument::pasteAtEnd(const QString& pasted) {
    QDeadlineTimer deadline(60000);
    const QByteArray unsaved = savedBytes();
    // Writer drops the keys that come just after it gets the focus: it takes keys once a
    // Ctrl+S saves. It saves an unchanged document as well, with a new date.
    do
        session_.pressKey(window_, "ctrl+s");
    while (!XSession::waitFor([&] { return savedText(unsaved) == text_; }, 1000) &&
           !deadline.hasExpired());
    for (const char* key : {"ctrl+End", "ctrl+v", "ctrl+s"})
        session_.pressKey(window_, key);
    // A save of the first Ctrl+S that was still under way may come before this one.
    QString text;
    XSession::waitFor(
        [&] {
            text = savedText(unsaved);
            return !text.isEmpty() && text != text_;
        },
        int(deadline.remainingTime()));
    return text == text_ + pasted;
}

QString WriterDocument::savedText(const QByteArray& unsaved) const {
    const QByteArray saved = savedBytes();
    if (saved == unsaved || !saved.trimmed().endsWith("</office:document>"))
        return {};
    QString text;
    for (const StyledRun& run : SavedDocument(saved).runs)
        text += run.text;
    return text;
}

QByteArray WriterDocument::savedBytes() const {
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<StyledRun> WriterDocument::savedParagraph() const {
    return SavedDocument(savedBytes()).runs;
}
