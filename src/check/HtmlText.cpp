#include "check/StyledText.h"

#include "check/DocumentParts.h"
#include "check/TextBuilder.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>

namespace {

// Elements deeper than this set the state of the deepest one: a flood of tags costs no memory.
constexpr qsizetype deepestElement = 1024;

// Elements that stand on lines of their own, as browsers show them; table cells too, as the
// other formats' cells are paragraphs.
bool isBlock(QStringView name) {
    return isOneOf(name, {u"address", u"article", u"aside",    u"blockquote", u"body",   u"caption",
                          u"center",  u"dd",      u"details",  u"dialog",     u"dir",    u"div",
                          u"dl",      u"dt",      u"fieldset", u"figcaption", u"figure", u"footer",
                          u"form",    u"h1",      u"h2",       u"h3",         u"h4",     u"h5",
                          u"h6",      u"header",  u"hgroup",   u"hr",         u"html",   u"legend",
                          u"li",      u"main",    u"menu",     u"nav",        u"ol",     u"option",
                          u"p",       u"pre",     u"section",  u"summary",    u"table",  u"tbody",
                          u"td",      u"tfoot",   u"th",       u"thead",      u"tr",     u"ul"});
}

bool isVoid(QStringView name) {
    return isOneOf(name, {u"area", u"base", u"br", u"col", u"embed", u"hr", u"img", u"input",
                          u"link", u"meta", u"param", u"source", u"track", u"wbr"});
}

// Elements whose content is not text of the page.
bool isRawText(QStringView name) {
    return isOneOf(name, {u"script", u"style", u"template", u"title"});
}

bool isSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// The named characters: those of HTML 4, which browsers also take without the ";", and the
// letters of Czech and Slovak, which HTML 5 added.
const QHash<QStringView, char16_t>& namedCharacters() {
    static const QHash<QStringView, char16_t> characters = [] {
        QHash<QStringView, char16_t> table;
        // U+00A0 to U+00FF in order.
        const QStringView latin1[] = {
            u"nbsp",   u"iexcl",  u"cent",   u"pound",  u"curren", u"yen",    u"brvbar", u"sect",
            u"uml",    u"copy",   u"ordf",   u"laquo",  u"not",    u"shy",    u"reg",    u"macr",
            u"deg",    u"plusmn", u"sup2",   u"sup3",   u"acute",  u"micro",  u"para",   u"middot",
            u"cedil",  u"sup1",   u"ordm",   u"raquo",  u"frac14", u"frac12", u"frac34", u"iquest",
            u"Agrave", u"Aacute", u"Acirc",  u"Atilde", u"Auml",   u"Aring",  u"AElig",  u"Ccedil",
            u"Egrave", u"Eacute", u"Ecirc",  u"Euml",   u"Igrave", u"Iacute", u"Icirc",  u"Iuml",
            u"ETH",    u"Ntilde", u"Ograve", u"Oacute", u"Ocirc",  u"Otilde", u"Ouml",   u"times",
            u"Oslash", u"Ugrave", u"Uacute", u"Ucirc",  u"Uuml",   u"Yacute", u"THORN",  u"szlig",
            u"agrave", u"aacute", u"acirc",  u"atilde", u"auml",   u"aring",  u"aelig",  u"ccedil",
            u"egrave", u"eacute", u"ecirc",  u"euml",   u"igrave", u"iacute", u"icirc",  u"iuml",
            u"eth",    u"ntilde", u"ograve", u"oacute", u"ocirc",  u"otilde", u"ouml",   u"divide",
            u"oslash", u"ugrave", u"uacute", u"ucirc",  u"uuml",   u"yacute", u"thorn",  u"yuml"};
        for (size_t offset = 0; offset < std::size(latin1); ++offset)
            table.insert(latin1[offset], char16_t(0xA0 + offset));
        const std::pair<QStringView, char16_t> others[] = {
            {u"amp", u'&'},      {u"lt", u'<'},       {u"gt", u'>'},      {u"quot", u'"'},
            {u"apos", u'\''},    {u"OElig", 0x152},   {u"oelig", 0x153},  {u"Scaron", 0x160},
            {u"scaron", 0x161},  {u"Yuml", 0x178},    {u"fnof", 0x192},   {u"circ", 0x2C6},
            {u"tilde", 0x2DC},   {u"ensp", 0x2002},   {u"emsp", 0x2003},  {u"thinsp", 0x2009},
            {u"zwnj", 0x200C},   {u"zwj", 0x200D},    {u"lrm", 0x200E},   {u"rlm", 0x200F},
            {u"ndash", 0x2013},  {u"mdash", 0x2014},  {u"lsquo", 0x2018}, {u"rsquo", 0x2019},
            {u"sbquo", 0x201A},  {u"ldquo", 0x201C},  {u"rdquo", 0x201D}, {u"bdquo", 0x201E},
            {u"dagger", 0x2020}, {u"Dagger", 0x2021}, {u"bull", 0x2022},  {u"hellip", 0x2026},
            {u"permil", 0x2030}, {u"prime", 0x2032},  {u"Prime", 0x2033}, {u"lsaquo", 0x2039},
            {u"rsaquo", 0x203A}, {u"euro", 0x20AC},   {u"trade", 0x2122}, {u"minus", 0x2212},
            {u"Ccaron", 0x10C},  {u"ccaron", 0x10D},  {u"Dcaron", 0x10E}, {u"dcaron", 0x10F},
            {u"Ecaron", 0x11A},  {u"ecaron", 0x11B},  {u"Lacute", 0x139}, {u"lacute", 0x13A},
            {u"Lcaron", 0x13D},  {u"lcaron", 0x13E},  {u"Ncaron", 0x147}, {u"ncaron", 0x148},
            {u"Racute", 0x154},  {u"racute", 0x155},  {u"Rcaron", 0x158}, {u"rcaron", 0x159},
            {u"Tcaron", 0x164},  {u"tcaron", 0x165},  {u"Uring", 0x16E},  {u"uring", 0x16F},
            {u"Zcaron", 0x17D},  {u"zcaron", 0x17E}};
        for (const auto& [name, character] : others)
            table.insert(name, character);
        return table;
    }();
    return characters;
}

// The character reference at text[at], which is '&', and the position behind it; a lone '&'
// when there is none.
QString characterAt(QStringView text, qsizetype& at) {
    qsizetype end = at + 1;
    if (end < text.size() && text[end] == u'#') {
        ++end;
        const bool hex = end < text.size() && (text[end] == u'x' || text[end] == u'X');
        if (hex)
            ++end;
        const qsizetype digits = end;
        while (end < text.size() && end - digits < 8 &&
               (text[end].isDigit() || (hex && QStringView(u"abcdefABCDEF").contains(text[end]))))
            ++end;
        if (end == digits) {
            ++at;
            return QStringLiteral("&");
        }
        const char32_t code = text.sliced(digits, end - digits).toUInt(nullptr, hex ? 16 : 10);
        at = end < text.size() && text[end] == u';' ? end + 1 : end;
        // What browsers do: C1 codes as Windows-1252, none of them a character of their own.
        if (code >= 0x80 && code <= 0x9F) {
            QStringDecoder windows("windows-1252");
            return windows(QByteArray(1, char(code)));
        }
        if (code == 0 || code > 0x10FFFF || QChar::isSurrogate(code))
            return QString(QChar::ReplacementCharacter);
        return QString::fromUcs4(&code, 1);
    }
    while (end < text.size() && end - at <= 32 && text[end].isLetterOrNumber())
        ++end;
    const QStringView name = text.sliced(at + 1, end - at - 1);
    const auto found = namedCharacters().constFind(name);
    // Only the characters of HTML 4 may go without their ";".
    const bool closed = end < text.size() && text[end] == u';';
    if (found == namedCharacters().constEnd() || (!closed && *found > 0xFF)) {
        ++at;
        return QStringLiteral("&");
    }
    at = closed ? end + 1 : end;
    return QString(QChar(*found));
}

QString withCharacters(QStringView text) {
    QString decoded;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype amp = text.indexOf(u'&', at);
        decoded += text.sliced(at, (amp < 0 ? text.size() : amp) - at);
        if (amp < 0)
            break;
        at = amp;
        decoded += characterAt(text, at);
    }
    return decoded;
}

struct Element {
    QString name;
    bool italic = false;
    bool hidden = false;
    bool preformatted = false;
};

// The declarations of a style attribute that tell the text's slant or hide it.
void applyStyle(QStringView css, Element& element) {
    for (const QStringView declaration : css.tokenize(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0)
            continue;
        const QString property = declaration.first(colon).trimmed().toString().toLower();
        QString value = declaration.sliced(colon + 1).toString().toLower();
        value.remove(QStringLiteral("!important"));
        value = value.trimmed();
        const QStringList words = value.split(u' ', Qt::SkipEmptyParts);
        const bool slanted =
            words.contains(QStringLiteral("italic")) || words.contains(QStringLiteral("oblique"));
        if (property == u"font-style" && (slanted || value == u"normal"))
            element.italic = slanted;
        else if (property == u"font" && value != u"inherit")
            element.italic = slanted; // the shorthand sets an upright style where it names none
        else if (property == u"display" && value == u"none")
            element.hidden = true;
    }
}

class HtmlReader {
public:
    explicit HtmlReader(QString html) : html_(std::move(html)) {}
    StyledText read();

private:
    const Element& current() const { return open_.isEmpty() ? outside_ : open_.last(); }
    void addText(QStringView text);
    // Reads the markup at pos_, which points at its '<'.
    void readMarkup();
    void readStartTag(const QString& name, qsizetype attributes);
    void readEndTag(const QString& name);
    // Moves pos_ behind the next `end`, or to the end of the text.
    void skipPast(QStringView end);

    QString html_;
    qsizetype pos_ = 0;
    QList<Element> open_;
    qsizetype extraDepth_ = 0; // elements beyond deepestElement
    Element outside_;
    TextBuilder text_;
};

StyledText HtmlReader::read() {
    const QStringView html(html_);
    while (pos_ < html.size()) {
        qsizetype next = pos_;
        while (next < html.size() && html[next] != u'<' && html[next] != u'&')
            ++next;
        addText(html.sliced(pos_, next - pos_));
        pos_ = next;
        if (pos_ == html.size())
            break;
        if (html[pos_] == u'&')
            addText(characterAt(html, pos_));
        else
            readMarkup();
    }
    return text_.take();
}

void HtmlReader::addText(QStringView text) {
    const Element& element = current();
    if (element.hidden || text.isEmpty())
        return;
    if (!element.preformatted) {
        text_.appendCollapsing(text, element.italic);
        return;
    }
    QString lines = text.toString();
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    text_.append(lines, element.italic);
}

void HtmlReader::skipPast(QStringView end) {
    const qsizetype at = QStringView(html_).indexOf(end, pos_, Qt::CaseInsensitive);
    pos_ = at < 0 ? html_.size() : at + end.size();
}

void HtmlReader::readMarkup() {
    const QStringView html(html_);
    if (html.sliced(pos_).startsWith(u"<!--")) {
        pos_ += 4;
        skipPast(u"-->");
        return;
    }
    const QChar next = pos_ + 1 < html.size() ? html[pos_ + 1] : QChar();
    if (next == u'!' || next == u'?') {
        // A declaration, a processing instruction, or Word's <![if ...]>.
        skipPast(u">");
        return;
    }
    const bool closing = next == u'/';
    const qsizetype nameStart = pos_ + 1 + (closing ? 1 : 0);
    if (nameStart >= html.size() || !html[nameStart].isLetter()) {
        addText(u"<");
        ++pos_;
        return;
    }
    qsizetype nameEnd = nameStart;
    while (nameEnd < html.size() && !isSpace(html[nameEnd]) && html[nameEnd] != u'/' &&
           html[nameEnd] != u'>')
        ++nameEnd;
    const QString name = html.sliced(nameStart, nameEnd - nameStart).toString().toLower();
    if (closing) {
        pos_ = nameEnd;
        skipPast(u">");
        readEndTag(name);
    } else {
        readStartTag(name, nameEnd);
    }
}

void HtmlReader::readStartTag(const QString& name, qsizetype attributes) {
    const QStringView html(html_);
    Element element = current();
    element.name = name;
    if (isOneOf(name, {u"i", u"em", u"cite", u"var", u"dfn", u"address"}))
        element.italic = true;
    if (isOneOf(name, {u"pre", u"listing", u"textarea"}))
        element.preformatted = true;
    bool selfClosing = false;
    qsizetype at = attributes;
    while (at < html.size() && html[at] != u'>') {
        if (isSpace(html[at]) || html[at] == u'=') {
            ++at;
            continue;
        }
        if (html[at] == u'/') {
            selfClosing = at + 1 < html.size() && html[at + 1] == u'>';
            ++at;
            continue;
        }
        const qsizetype nameAt = at;
        while (at < html.size() && !isSpace(html[at]) && html[at] != u'=' && html[at] != u'>' &&
               html[at] != u'/')
            ++at;
        const QString attribute = html.sliced(nameAt, at - nameAt).toString().toLower();
        while (at < html.size() && isSpace(html[at]))
            ++at;
        QStringView value;
        if (at < html.size() && html[at] == u'=') {
            ++at;
            while (at < html.size() && isSpace(html[at]))
                ++at;
            if (at < html.size() && (html[at] == u'"' || html[at] == u'\'')) {
                const qsizetype close = html.indexOf(html[at], at + 1);
                const qsizetype end = close < 0 ? html.size() : close;
                value = html.sliced(at + 1, end - at - 1);
                at = close < 0 ? end : end + 1;
            } else {
                const qsizetype valueAt = at;
                while (at < html.size() && !isSpace(html[at]) && html[at] != u'>')
                    ++at;
                value = html.sliced(valueAt, at - valueAt);
            }
        }
        if (attribute == u"style")
            applyStyle(withCharacters(value), element);
        else if (attribute == u"hidden")
            element.hidden = true;
    }
    pos_ = std::min(at + 1, html.size());

    if (isRawText(name)) {
        skipPast(QString(QStringLiteral("</") + name));
        skipPast(u">");
        return;
    }
    if (current().hidden)
        return;
    if (name == u"br")
        text_.lineBreak(current().italic);
    else if (isBlock(name))
        text_.endParagraph();
    if (isVoid(name) || selfClosing)
        return;
    if (open_.size() < deepestElement) {
        open_.append(element);
        return;
    }
    // Beyond the limit an element sets the state of the deepest one, which keeps its name.
    Element& deepest = open_.last();
    deepest.italic = element.italic;
    deepest.hidden = element.hidden;
    deepest.preformatted = element.preformatted;
    ++extraDepth_;
}

void HtmlReader::readEndTag(const QString& name) {
    if (isBlock(name) && !current().hidden)
        text_.endParagraph();
    if (extraDepth_ > 0) {
        --extraDepth_;
        return;
    }
    for (qsizetype at = open_.size() - 1; at >= 0; --at) {
        if (open_[at].name == name) {
            open_.resize(at);
            return;
        }
    }
}

// The HTML as text: UTF-8 when its bytes are, else in the encoding that it names, else in
// the code page of Czech Windows.
QString htmlSource(const QByteArray& html) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(html);
    if (!utf8.hasError())
        return text;
    QStringDecoder declared = QStringDecoder::decoderForHtml(html);
    if (declared.isValid() && qstrcmp(declared.name(), "UTF-8") != 0)
        return declared(html);
    return czechWindowsText(html);
}

} // namespace

StyledText htmlText(const QByteArray& html) {
    return HtmlReader(htmlSource(html)).read();
}
