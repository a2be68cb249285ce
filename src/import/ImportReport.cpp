#include "import/ImportReport.h"

#include <QLocale>

void ImportReport::note(const QString& what, const QString& where) {
    auto found = kindAt_.constFind(what);
    if (found == kindAt_.constEnd()) {
        found = kindAt_.insert(what, skipped.size());
        skipped.append({what, 0, {}});
    }
    Kind& kind = skipped[*found];
    ++kind.count;
    if (kind.first.size() < 3)
        kind.first.append(where);
}

QString ImportReport::text() const {
    // Numbers grouped as the language of the texts groups them.
    const QLocale language(tr("cs_CZ", "the locale whose digit grouping the numbers take"));
    const auto number = [&language](qint64 value) { return language.toString(value); };
    QString text = tr("Přijatá jména: rody %1, druhy %2, taxony pod úrovní druhu %3\n")
                       .arg(number(names[0]), number(names[1]), number(names[2]));
    if (addedGenera > 0 || addedSpecies > 0)
        text += tr("  z toho doplněné, jež v seznamu nemají vlastní řádek: rody %1, "
                   "druhy %2\n")
                    .arg(number(addedGenera), number(addedSpecies));
    if (lowestOfRanks > 0)
        text += tr("  z toho se dvěma ranky pod úrovní druhu, vzaté na nižším: %1\n")
                    .arg(number(lowestOfRanks));
    text += tr("Synonyma: %1\n").arg(number(synonyms));
    if (!citation.isEmpty())
        text += tr("Citace: %1\n").arg(citation);
    if (skipped.isEmpty())
        return text;
    text += tr("Vynecháno:\n");
    for (const Kind& kind : skipped)
        text += tr("  %1× %2 (řádek %3%4)\n")
                    .arg(number(kind.count), kind.what, kind.first.join(QStringLiteral(", ")),
                         kind.count > kind.first.size() ? QStringLiteral(", …") : QString());
    return text;
}
