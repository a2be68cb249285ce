#include "check/TextCheck.h"

#include "names/NameParser.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

// Formatted paragraphs put together from stretches of UTF-8, each upright or italic; a line
// break in a stretch begins a new paragraph.
class ParagraphBuilder {
public:
    ParagraphBuilder() : m_paragraphs(1) {}

    void add(QByteArrayView utf8, bool italic) {
        for (qsizetype start = 0; start <= utf8.size();) {
            const qsizetype lineEnd = utf8.indexOf('\n', start);
            const qsizetype end = lineEnd < 0 ? utf8.size() : lineEnd;
            append(QString::fromUtf8(utf8.sliced(start, end - start)), italic);
            if (lineEnd < 0)
                break;
            m_paragraphs.append(FormattedText());
            start = lineEnd + 1;
        }
    }
    // A text's last line break ends its last paragraph; it begins none.
    QList<FormattedText> paragraphs() const {
        QList<FormattedText> paragraphs = m_paragraphs;
        if (paragraphs.size() > 1 && paragraphs.last().text.isEmpty())
            paragraphs.removeLast();
        return paragraphs;
    }

private:
    void append(const QString& text, bool italic) {
        if (text.isEmpty())
            return;
        FormattedText& paragraph = m_paragraphs.last();
        if (paragraph.runs.isEmpty() || paragraph.runs.last().italic != italic)
            paragraph.runs.append({paragraph.text.size(), 0, italic});
        paragraph.runs.last().length += text.size();
        paragraph.text += text;
    }

    QList<FormattedText> m_paragraphs;
};

// The words of a name written whole that are set in italics: genus, epithet, infraspecific
// epithet.
QList<TextSpan> nameWordsOf(const QByteArray& written) {
    const BotanicalName name = parseName(QByteArrayView(written));
    QList<TextSpan> words;
    for (const QByteArrayView word : {name.genus, name.species, name.infra}) {
        const qsizetype start = word.data() - written.data();
        // A word the parser joined anew is not a stretch of the text; a name written tidily
        // has none.
        if (!word.isEmpty() && start >= 0 && start + word.size() <= written.size())
            words.append({start, start + word.size()});
    }
    return words;
}

// Adds the bytes [start, end) of `utf8` with the stretches of `italics` (sorted, within them)
// in italics, and the spaces between two of them too: "Picea abies" is one italic stretch.
void addWithItalics(ParagraphBuilder& out, QByteArrayView utf8, qsizetype start, qsizetype end,
                    std::span<const TextSpan> italics) {
    for (const TextSpan& span : italics) {
        const QByteArrayView gap = utf8.sliced(start, span.start - start);
        const bool between = &span != &italics.front() && !gap.isEmpty() &&
                             std::all_of(gap.begin(), gap.end(), [](char c) { return c == ' '; });
        out.add(gap, between);
        out.add(utf8.sliced(span.start, span.end - span.start), true);
        start = span.end;
    }
    out.add(utf8.sliced(start, end - start), false);
}

} // namespace

TextCheck::TextCheck(const NameCatalog& catalog, StyledText text, bool misspellings)
    : m_catalog(catalog), m_text(std::move(text)),
      m_found(findNames(catalog, m_text.utf8, m_text.italics, misspellings)),
      m_replaces(m_found.size(), false) {}

QString TextCheck::written(qsizetype row) const {
    const FoundName& found = m_found[row];
    QByteArray written = m_text.utf8.sliced(found.range.start, found.range.end - found.range.start);
    // A word broken at a line's end is written whole, and the line's break as a space.
    written.replace("-\n", "");
    return QString::fromUtf8(written).simplified();
}

QString TextCheck::name(qsizetype row) const {
    const FoundName& found = m_found[row];
    return found.status == FoundName::Status::Unknown
               ? QString()
               : QString::fromUtf8(m_catalog.written(found.id, found.withAuthors));
}

QString TextCheck::status(qsizetype row) const {
    const FoundName& found = m_found[row];
    switch (found.status) {
    case FoundName::Status::Accepted:
        return tr("přijaté");
    case FoundName::Status::Synonym: {
        // A genus known only from synonyms has no accepted name to name.
        const NameCatalog::Id accepted = acceptedOf(found.id);
        return accepted == NameCatalog::noId
                   ? tr("synonymum")
                   : tr("synonymum → %1")
                         .arg(QString::fromUtf8(m_catalog.written(accepted, false)));
    }
    case FoundName::Status::Misspelling:
        return tr("překlep? → %1").arg(QString::fromUtf8(m_catalog.written(found.id, false)));
    case FoundName::Status::Unknown:
        break;
    }
    return tr("neznámé");
}

bool TextCheck::offersReplacement(qsizetype row) const {
    const FoundName& found = m_found[row];
    return found.status == FoundName::Status::Misspelling ||
           (found.status == FoundName::Status::Synonym &&
            acceptedOf(found.id) != NameCatalog::noId);
}

NameCatalog::Id TextCheck::acceptedOf(NameCatalog::Id id) const {
    return m_catalog.name(id).accepted;
}

void TextCheck::setReplaces(qsizetype row, bool replace) {
    m_replaces[row] = replace && offersReplacement(row);
}

std::optional<NameCatalog::Id> TextCheck::selectable(qsizetype row) const {
    const FoundName& found = m_found[row];
    if (found.status == FoundName::Status::Unknown)
        return std::nullopt;
    // An accepted name is its own accepted name; a genus known only from synonyms has none.
    const NameCatalog::Id id = acceptedOf(found.id);
    return id == NameCatalog::noId ? std::nullopt : std::optional(id);
}

QByteArray TextCheck::replacementOf(qsizetype row) const {
    // What the status names: a synonym's accepted name, a misspelling's suggestion as spelled.
    const FoundName& found = m_found[row];
    return m_catalog.written(found.status == FoundName::Status::Synonym ? acceptedOf(found.id)
                                                                        : found.id,
                             found.withAuthors);
}

QList<FormattedText> TextCheck::formatted() const {
    ParagraphBuilder out;
    const QByteArrayView text(m_text.utf8);
    qsizetype at = 0;
    for (qsizetype row = 0; row < m_found.size(); ++row) {
        const FoundName& found = m_found[row];
        out.add(text.sliced(at, found.range.start - at), false);
        if (m_replaces[row]) {
            const QByteArray replacement = replacementOf(row);
            const QList<TextSpan> words = nameWordsOf(replacement);
            addWithItalics(out, replacement, 0, replacement.size(), words);
        } else {
            addWithItalics(out, text, found.range.start, found.range.end, found.words());
        }
        at = found.range.end;
    }
    out.add(text.sliced(at), false);
    return out.paragraphs();
}

QString TextCheck::plainText() const {
    return plainText(formatted());
}

QString TextCheck::plainText(const QList<FormattedText>& paragraphs) {
    QStringList lines;
    for (const FormattedText& paragraph : paragraphs)
        lines.append(paragraph.text);
    return lines.join(u'\n');
}
