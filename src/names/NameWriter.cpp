#include "names/NameWriter.h"

#include "names/NameWords.h"

namespace {

// Appends the words that are there, one space between each two.
class Line {
public:
    Line& word(QByteArrayView text, bool hybrid = false) {
        if (text.isEmpty())
            return *this;
        if (!line_.isEmpty())
            line_ += ' ';
        if (hybrid)
            line_ += NameWords::hybridSign;
        line_ += text;
        return *this;
    }
    Line& mark(QByteArrayView mark, QByteArrayView text) {
        return text.isEmpty() ? *this : word(mark).word(text);
    }
    QByteArray text() const { return line_; }

private:
    QByteArray line_;
};

QByteArray writeTeam(const AuthorTeam& team) {
    Line line;
    if (!team.exAuthors.isEmpty())
        line.word(team.exAuthors).word("ex");
    line.word(team.authors)
        .mark("in", team.inAuthors)
        .mark(":", team.sanctioning)
        .mark("emend.", team.emendedBy)
        .word(team.year);
    return line.text();
}

} // namespace

QByteArray writeAuthorship(const Authorship& authors) {
    Line line;
    const AuthorTeam basionym = authors.basionym();
    if (!basionym.isEmpty())
        line.word('(' + writeTeam(basionym) + ')');
    return line.word(writeTeam(authors.combination())).text();
}

QByteArray writeName(const BotanicalName& name) {
    Line line;
    line.word(name.genus, name.genusHybrid)
        .word(name.species, name.speciesHybrid)
        .word(writeAuthorship(name.speciesAuthors))
        .word(name.rank)
        .word(name.infra, name.infraHybrid)
        .word(writeAuthorship(name.infraAuthors))
        .word(name.annotation);
    return line.text();
}
