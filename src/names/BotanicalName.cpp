#include "names/BotanicalName.h"

#include <algorithm>

namespace {

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == ','))
        text.chop(1);
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    return text;
}

AuthorTeam team(QByteArrayView text) {
    AuthorTeam team;
    // A year at the end: "L. 1753", "L., 1753", "L. (1753)".
    if (!text.isEmpty() && ((text.back() >= '0' && text.back() <= '9') || text.back() == ')')) {
        const qsizetype space = text.lastIndexOf(' ');
        QByteArrayView last = text.sliced(space + 1);
        const qsizetype brackets = last.startsWith('(') && last.endsWith(')') ? 1 : 0;
        last = last.sliced(brackets, last.size() - 2 * brackets);
        if (space > 0 && last.size() == 4 &&
            std::all_of(last.begin(), last.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            team.year = last;
            text = trimmed(text.first(space));
        }
    }
    // The first of each mark.
    const qsizetype colon = text.indexOf(':');
    const qsizetype emend = text.indexOf(" emend. ");
    const qsizetype in = text.indexOf(" in ");
    const qsizetype ex = text.indexOf(" ex ");
    // Each part runs to the next mark: "A ex B in C emend. D : E".
    qsizetype end = text.size();
    const auto cut = [&](qsizetype mark, qsizetype length, QByteArrayView& part) {
        if (mark < 0 || mark >= end)
            return;
        part = trimmed(text.sliced(mark + length, end - mark - length));
        end = mark;
    };
    cut(colon, 1, team.sanctioning);
    cut(emend, 8, team.emendedBy);
    cut(in, 4, team.inAuthors);
    qsizetype start = 0;
    if (ex >= 0 && ex < end) {
        team.exAuthors = trimmed(text.first(ex));
        start = ex + 4;
    }
    team.authors = trimmed(text.sliced(start, end - start));
    return team;
}

// Where the basionym's authors in brackets end, or -1 where there are none.
qsizetype basionymEnd(QByteArrayView text) {
    return text.startsWith('(') ? text.indexOf(')') : -1;
}

} // namespace

AuthorTeam Authorship::basionym() const {
    const qsizetype end = basionymEnd(text);
    return end > 0 ? team(trimmed(text.sliced(1, end - 1))) : AuthorTeam();
}

AuthorTeam Authorship::combination() const {
    const qsizetype end = basionymEnd(text);
    const QByteArrayView rest = trimmed(end > 0 ? text.sliced(end + 1) : text);
    return rest.isEmpty() ? AuthorTeam() : team(rest);
}

bool BotanicalName::isAutonym() const {
    return !infra.isEmpty() && infra == species;
}
