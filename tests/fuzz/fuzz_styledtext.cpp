// The readers of copied and saved documents, and the finder of names in what they read, on
// any input: the first byte chooses HTML, RTF or plain text. The text read is UTF-8 with its
// italics in order, each within it; the names found lie in the text in order, none over
// another, each with its words within it.
#include "check/StyledText.h"
#include "fuzz/FuzzCheck.h"
#include "names/NameCatalog.h"
#include "names/NamesInText.h"

namespace {

const NameCatalog& catalog() {
    static const NameCatalog names = [] {
        NameCatalog built;
        built.addAccepted("Picea", {}, {}, {});
        const NameCatalog::Id abies = built.addAccepted("Picea", "abies", {}, "(L.) H.Karst.");
        built.addAccepted("Picea", "abies", "subsp. obovata", "(Ledeb.) Hultén");
        built.addAccepted("Pinus", "mugo", {}, "Turra");
        built.addSynonym("Pinus abies", abies);
        built.finish();
        return built;
    }();
    return names;
}

StyledText read(char format, const QByteArray& bytes) {
    switch (format % 3) {
    case 0:
        return htmlText(bytes);
    case 1:
        return rtfText(bytes);
    default:
        return plainText(bytes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    StyledText text;
    try {
        text = read(char(data[0]), bytes);
    } catch (const DocumentError&) {
        return 0;
    }
    require(text.utf8.isValidUtf8(), "the text is UTF-8");
    qsizetype after = 0;
    for (const TextSpan& italic : text.italics) {
        require(italic.start >= after && italic.start < italic.end &&
                    italic.end <= text.utf8.size(),
                "italics lie in the text, in order, none empty");
        after = italic.end;
    }
    for (const bool misspellings : {false, true}) {
        qsizetype end = 0;
        for (const FoundName& found : findNames(catalog(), text.utf8, text.italics, misspellings)) {
            require(found.range.start >= end && found.range.start < found.range.end &&
                        found.range.end <= text.utf8.size(),
                    "names lie in the text, in order, none over another");
            for (const TextSpan& word : found.words())
                require(word.start >= found.range.start && word.start < word.end &&
                            word.end <= found.range.end,
                        "a name's words lie within it");
            end = found.range.end;
        }
    }
    return 0;
}
