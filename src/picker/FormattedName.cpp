#include "picker/FormattedName.h"

#include <QSet>

namespace {

// Connecting terms of infraspecific and hybrid names, set upright between italic epithets.
const QSet<QString> rankWords = {
    QStringLiteral("subsp."),    QStringLiteral("ssp."),    QStringLiteral("nothosubsp."),
    QStringLiteral("nothossp."), QStringLiteral("var."),    QStringLiteral("subvar."),
    QStringLiteral("nothovar."), QStringLiteral("convar."), QStringLiteral("f."),
    QStringLiteral("fo."),       QStringLiteral("forma"),   QStringLiteral("subf."),
    QStringLiteral("nothof."),   QStringLiteral("prol."),   QStringLiteral("agg."),
    QStringLiteral("aggr."),     QStringLiteral("s.l."),    QStringLiteral("s.str."),
    QStringLiteral("cv."),       QStringLiteral("grex"),    QStringLiteral("sect."),
    QStringLiteral("subsect."),  QStringLiteral("ser."),    QStringLiteral("subg."),
};

const QChar hybridSign(0x00D7);

void setUpright(QList<bool>& italic, qsizetype start, qsizetype length) {
    for (qsizetype i = start; i < qMin(start + length, italic.size()); ++i)
        italic[i] = false;
}

void setRankWordsUpright(const QString& text, QList<bool>& italic) {
    qsizetype start = 0;
    for (const QStringView word : QStringView(text).split(u' ')) {
        if (rankWords.contains(word.toString()))
            setUpright(italic, start, word.size());
        start += word.size() + 1;
    }
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == hybridSign)
            italic[i] = false;
}

QList<TextRun> runsOf(const QList<bool>& italic) {
    QList<TextRun> runs;
    for (qsizetype i = 0; i < italic.size(); ++i) {
        if (runs.isEmpty() || runs.last().italic != italic[i])
            runs.append({i, 0, italic[i]});
        ++runs.last().length;
    }
    return runs;
}

} // namespace

FormattedText composeFormattedName(int level, const NameTextInput& in) {
    QString text = in.genus;
    qsizetype speciesAuthorStart = 0, speciesAuthorLength = -1;
    qsizetype subspAuthorStart = 0, subspAuthorLength = -1;
    if (level > 0 && !text.isEmpty() && !in.species.isEmpty()) {
        text += u' ' + in.species;
        speciesAuthorStart = text.size() + 1;
        if (in.authors) {
            // Added even when empty: its space keeps the plain text's spacing.
            text += u' ' + in.speciesAuthor;
            speciesAuthorLength = in.speciesAuthor.size() + 1;
        }
        if (level > 1 && !in.subsp.isEmpty()) {
            text += u' ' + in.subsp;
            subspAuthorStart = text.size() + 1;
            if (in.authors && !in.subspAuthor.isEmpty()) {
                text += u' ' + in.subspAuthor;
                subspAuthorLength = in.subspAuthor.size() + 1;
            }
        }
    }

    QList<bool> italic(text.size(), true);
    // Each upright run takes the character after its author too: the space before a
    // following subspecies.
    if (speciesAuthorLength > 0)
        setUpright(italic, speciesAuthorStart, speciesAuthorLength);
    if (subspAuthorLength > 0)
        setUpright(italic, subspAuthorStart, subspAuthorLength);
    setRankWordsUpright(text, italic);
    return {text, runsOf(italic)};
}
