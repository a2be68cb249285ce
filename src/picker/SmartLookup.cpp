#include "picker/SmartLookup.h"

#include "names/NameParser.h"
#include "store/ListQueries.h"
#include "store/SynonymQueries.h"

namespace {

QString word(QByteArrayView utf8, bool hybrid) {
    return (hybrid ? QStringLiteral("×") : QString()) + QString::fromUtf8(utf8);
}

void prepareOnce(Query& query, const QStringList& lines, const QStringList& parameters) {
    if (query.isPrepared())
        return;
    for (const QString& line : lines)
        query.addSqlLine(line);
    for (const QString& parameter : parameters)
        query.defineParam(parameter, Query::ParamType::Text);
    query.prepare();
}

} // namespace

SmartLookup::SmartLookup(NameSource& source)
    : names_(source), genera_(source), synonyms_(source), accepted_(source) {}

std::optional<SmartLookup::Match> SmartLookup::find(const QString& text,
                                                    const QString& selectedGenus) {
    const BotanicalName name = parseName(text);
    if (name.kind != BotanicalName::Kind::Name)
        return std::nullopt;
    Match match;
    match.genus = word(name.genus, name.genusHybrid);
    match.species = word(name.species, name.speciesHybrid);
    if (!name.infra.isEmpty())
        match.subsp = (name.rank.isEmpty() ? QString() : QString::fromUtf8(name.rank) + u' ') +
                      word(name.infra, name.infraHybrid);
    match.level = !match.subsp.isEmpty() ? 2 : !match.species.isEmpty() ? 1 : 0;

    if (name.genusAbbreviated) {
        // "P." of "P. abies": the genus shown when it fits, else the one genus that does.
        const QString letter = match.genus.endsWith(u'.') ? match.genus.chopped(1) : match.genus;
        Match inSelected = match;
        inSelected.genus = selectedGenus;
        if (selectedGenus.startsWith(letter) && holds(inSelected))
            return inSelected;
        const QStringList genera = generaHolding(letter, match.species);
        match.genus = genera.size() == 1 ? genera.first() : QString();
        if (match.genus.isEmpty() || !holds(match))
            return Match{};
        return match;
    }
    if (holds(match))
        return match;
    const QString written = nameText(match);
    if (std::optional<Match> accepted = acceptedNameOf(written)) {
        accepted->synonym = written;
        return accepted;
    }
    return Match{};
}

bool SmartLookup::holds(const Match& name) {
    if (name.level == 0)
        return !generaHolding(name.genus, QString()).isEmpty();
    prepareOnce(names_, nameRecordLines(),
                {QStringLiteral("genus"), QStringLiteral("species"), QStringLiteral("subsp")});
    names_.setParam(QStringLiteral("genus"), name.genus);
    names_.setParam(QStringLiteral("species"), name.species);
    names_.setParam(QStringLiteral("subsp"), name.level == 2 ? name.subsp : QString(""));
    names_.open();
    return names_.recordCount() > 0;
}

QStringList SmartLookup::generaHolding(const QString& letter, const QString& species) {
    // A genus alone is a genus row; an abbreviated one, every genus of its letter that has a
    // species of the epithet.
    prepareOnce(genera_, generaHoldingLines(),
                {QStringLiteral("genus"), QStringLiteral("species")});
    genera_.setParam(QStringLiteral("genus"), letter);
    genera_.setParam(QStringLiteral("species"), species.isNull() ? QString("") : species);
    genera_.open();
    QStringList genera;
    for (genera_.first(); !genera_.eof(); genera_.next())
        genera.append(genera_.field(0).asString());
    return genera;
}

std::optional<SmartLookup::Match> SmartLookup::acceptedNameOf(const QString& synonym) {
    prepareOnce(synonyms_, synonymRecordLines(), {QStringLiteral("synonym")});
    synonyms_.setParam(QStringLiteral("synonym"), synonym);
    synonyms_.open();
    if (synonyms_.eof())
        return std::nullopt;
    const qint64 record = synonyms_.field(0).asInteger();
    const std::optional<AcceptedName> accepted = lookUpAcceptedName(accepted_, record);
    if (!accepted)
        return std::nullopt;
    return Match{accepted->level, accepted->genus, accepted->species, accepted->subsp, QString()};
}

QString SmartLookup::nameText(const Match& name) {
    QString text = name.genus;
    if (name.level >= 1)
        text += u' ' + name.species;
    if (name.level == 2)
        text += u' ' + name.subsp;
    return text;
}

QString SmartLookup::described(const Match& match) {
    const QString accepted = nameText(match);
    return match.synonym.isEmpty() ? accepted : match.synonym + QStringLiteral(" → ") + accepted;
}
