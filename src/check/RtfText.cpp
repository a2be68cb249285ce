#include "check/StyledText.h"

#include "check/TextBuilder.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <cctype>
#include <map>

namespace {

// Groups deeper than this share the state of the deepest one: a flood of "{" costs no memory.
constexpr qsizetype deepestGroup = 1024;

struct GroupState {
    bool italic = false;
    bool hidden = false;     // \v
    bool skipped = false;    // a destination that is not the document's text
    bool fontTable = false;  // \fonttbl: read for the fonts' code pages
    int font = -1;           // none chosen: the document's default
    int unicodeFallback = 1; // \uc: the characters after \uN that stand in for it
};

// Destinations whose text is not part of the body's, beside every {\* ...} group.
bool isSkippedDestination(QByteArrayView word) {
    static const QList<QByteArrayView> skipped = {
        "annotation", "atnauthor", "atnid",     "colortbl", "datastore", "fldinst",
        "footer",     "footerf",   "footerl",   "footerr",  "footnote",  "header",
        "headerf",    "headerl",   "headerr",   "info",     "listtable", "listoverridetable",
        "object",     "pict",      "pgdsctbl",  "revtbl",   "rsidtbl",   "shp",
        "stylesheet", "template",  "themedata", "xmlnstbl"};
    return skipped.contains(word);
}

// The Windows code page of a font's \fcharset; 0 for the document's own.
int codePageOfCharset(int charset) {
    static const QHash<int, int> pages = {{77, 10000}, {128, 932},  {129, 949},  {134, 936},
                                          {136, 950},  {161, 1253}, {162, 1254}, {163, 1258},
                                          {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251},
                                          {222, 874},  {238, 1250}, {255, 437}};
    return pages.value(charset);
}

// The symbols written as control words.
QStringView symbolOf(QByteArrayView word) {
    static const QList<std::pair<QByteArrayView, QStringView>> symbols = {
        {"bullet", u"\u2022"},  {"emdash", u"\u2014"},    {"endash", u"\u2013"},
        {"emspace", u"\u2003"}, {"enspace", u"\u2002"},   {"ldblquote", u"\u201C"},
        {"lquote", u"\u2018"},  {"rdblquote", u"\u201D"}, {"rquote", u"\u2019"},
        {"tab", u"\t"}};
    for (const auto& [name, symbol] : symbols) {
        if (name == word)
            return symbol;
    }
    return {};
}

class RtfReader {
public:
    explicit RtfReader(QByteArrayView rtf) : rtf_(rtf) {}
    StyledText read();

private:
    GroupState& state() { return groups_.last(); }
    void openGroup();
    void closeGroup();
    // Reads the control word or symbol at pos_, which points behind its backslash.
    void readControl();
    void controlWord(QByteArrayView word, bool hasNumber, int number);
    // A character of the text in the code page of the current font.
    void addByte(char byte);
    void addText(QStringView text);
    // Counts a character that may stand in for the last \uN; true when it does.
    bool fallbackTaken();
    // The bytes waiting for their code page, as text.
    void decodeBytes();
    bool textShown() { return !state().skipped && !state().hidden; }
    QStringDecoder& decoder(int codePage);

    QByteArrayView rtf_;
    qsizetype pos_ = 0;
    QList<GroupState> groups_{GroupState()};
    qsizetype extraDepth_ = 0; // groups beyond deepestGroup
    int fallbackLeft_ = 0;
    int ansiCodePage_ = 1252;
    int defaultFont_ = -1;
    int tableFont_ = -1; // the font table's entry being read
    QHash<int, int> fontCodePages_;
    std::map<int, QStringDecoder> decoders_;
    QByteArray bytes_;
    TextBuilder text_;
};

StyledText RtfReader::read() {
    // The document is one group; what stands around it is not its text.
    const qsizetype first = rtf_.indexOf('{');
    pos_ = first < 0 ? rtf_.size() : first;
    while (pos_ < rtf_.size()) {
        const char c = rtf_[pos_++];
        if (c == '{') {
            openGroup();
        } else if (c == '}') {
            closeGroup();
            if (groups_.size() == 1)
                break;
        } else if (c == '\\') {
            readControl();
        } else if (c == '\r' || c == '\n') {
            // Line ends of the file are not the text's.
        } else if (!fallbackTaken() && textShown()) {
            addByte(c);
        }
    }
    decodeBytes();
    return text_.take();
}

void RtfReader::openGroup() {
    decodeBytes();
    fallbackLeft_ = 0;
    if (groups_.size() < deepestGroup) {
        const GroupState outer = state();
        groups_.append(outer);
    } else
        ++extraDepth_;
}

void RtfReader::closeGroup() {
    decodeBytes();
    fallbackLeft_ = 0;
    if (extraDepth_ > 0)
        --extraDepth_;
    else if (groups_.size() > 1)
        groups_.removeLast();
}

bool RtfReader::fallbackTaken() {
    if (fallbackLeft_ == 0)
        return false;
    --fallbackLeft_;
    return true;
}

void RtfReader::readControl() {
    if (pos_ >= rtf_.size())
        return;
    const char first = rtf_[pos_];
    if (!std::isalpha(uchar(first))) {
        ++pos_;
        if (first == '\'') {
            const QByteArrayView hex =
                rtf_.sliced(pos_, std::min<qsizetype>(2, rtf_.size() - pos_));
            if (hex.size() < 2 || !std::isxdigit(uchar(hex[0])) || !std::isxdigit(uchar(hex[1])))
                return;
            pos_ += 2;
            if (!fallbackTaken() && textShown())
                addByte(char(hex.toByteArray().toInt(nullptr, 16)));
            return;
        }
        decodeBytes();
        if (fallbackTaken())
            return;
        if (first == '*')
            state().skipped = true;
        else if (!textShown())
            return;
        else if (first == '\\' || first == '{' || first == '}')
            addByte(first);
        else if (first == '~')
            addText(u"\u00A0");
        else if (first == '_')
            addText(u"-");
        else if (first == '\r' || first == '\n')
            text_.endParagraph();
        return;
    }
    const qsizetype start = pos_;
    while (pos_ < rtf_.size() && std::isalpha(uchar(rtf_[pos_])))
        ++pos_;
    const QByteArrayView word = rtf_.sliced(start, pos_ - start);
    const qsizetype numberStart = pos_;
    if (pos_ < rtf_.size() && rtf_[pos_] == '-')
        ++pos_;
    while (pos_ < rtf_.size() && std::isdigit(uchar(rtf_[pos_])))
        ++pos_;
    const QByteArrayView digits = rtf_.sliced(numberStart, pos_ - numberStart);
    // A number beyond what RTF allows is only ever nonsense: it counts as none at all.
    bool hasNumber = false;
    const int number = digits.size() <= 11 ? digits.toByteArray().toInt(&hasNumber) : 0;
    if (pos_ < rtf_.size() && rtf_[pos_] == ' ')
        ++pos_;
    decodeBytes();
    if (word == "bin") {
        // Binary data: its bytes are not RTF.
        pos_ += std::clamp<qsizetype>(hasNumber ? number : 0, 0, rtf_.size() - pos_);
        return;
    }
    if (fallbackTaken())
        return;
    controlWord(word, hasNumber, hasNumber ? number : 1);
}

void RtfReader::controlWord(QByteArrayView word, bool hasNumber, int number) {
    GroupState& group = state();
    if (group.fontTable) {
        if (word == "f")
            tableFont_ = number;
        else if (word == "fcharset")
            fontCodePages_.insert(tableFont_, codePageOfCharset(number));
        else if (word == "cpg")
            fontCodePages_.insert(tableFont_, number);
        return;
    }
    if (word == "fonttbl")
        group.fontTable = true;
    if (group.fontTable || isSkippedDestination(word))
        group.skipped = true;
    if (group.skipped)
        return;
    if (word == "ansicpg") {
        ansiCodePage_ = number;
    } else if (word == "deff") {
        defaultFont_ = number;
    } else if (word == "f") {
        group.font = number;
    } else if (word == "i") {
        group.italic = number != 0;
    } else if (word == "v") {
        group.hidden = number != 0;
    } else if (word == "plain") {
        group.italic = group.hidden = false;
        group.font = -1;
    } else if (word == "uc") {
        group.unicodeFallback = std::clamp(number, 0, 8);
    } else if (word == "u" && hasNumber) {
        if (textShown()) {
            // Signed 16 bits; a character beyond them takes two \u, one for each surrogate.
            const int unit = number < 0 ? number + 0x10000 : number;
            const char16_t character = unit >= 0 && unit <= 0xFFFF ? char16_t(unit) : u'\uFFFD';
            addText(QStringView(&character, 1));
        }
        fallbackLeft_ = group.unicodeFallback;
    } else if (!group.hidden) {
        if (word == "par" || word == "sect" || word == "page" || word == "row" || word == "cell")
            text_.endParagraph();
        else if (word == "line")
            text_.lineBreak(group.italic);
        else if (const QStringView symbol = symbolOf(word); !symbol.isEmpty())
            addText(symbol);
    }
}

void RtfReader::addByte(char byte) {
    bytes_ += byte;
}

void RtfReader::addText(QStringView text) {
    decodeBytes();
    text_.append(text, state().italic);
}

void RtfReader::decodeBytes() {
    if (bytes_.isEmpty())
        return;
    const int font = state().font >= 0 ? state().font : defaultFont_;
    const int fontPage = fontCodePages_.value(font);
    const QString text = decoder(fontPage ? fontPage : ansiCodePage_).decode(bytes_);
    bytes_.clear();
    text_.append(text, state().italic);
}

QStringDecoder& RtfReader::decoder(int codePage) {
    const auto known = decoders_.find(codePage);
    if (known != decoders_.end())
        return known->second;
    QStringDecoder found;
    if (codePage == 65001)
        found = QStringDecoder(QStringDecoder::Utf8);
    else if (codePage == 10000)
        found = QStringDecoder("macintosh");
    for (const char* prefix : {"windows-", "cp", "IBM"}) {
        if (!found.isValid())
            found = QStringDecoder((prefix + QByteArray::number(codePage)).constData());
    }
    // A code page that the system does not know is read as the most common one.
    if (!found.isValid())
        found = QStringDecoder("windows-1252");
    return decoders_.emplace(codePage, std::move(found)).first->second;
}

} // namespace

StyledText rtfText(const QByteArray& rtf) {
    return RtfReader(rtf).read();
}
