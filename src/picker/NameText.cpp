#include "picker/NameText.h"

NameText composeNameText(int level, const NameTextInput& in) {
    NameText out{in.genus, in.citation};
    if (in.genus.isEmpty())
        return out;
    const int genusPage = in.genusPages.value(in.genusIndex);
    if (in.pages)
        out.pageLabel += QStringLiteral(": ") + QString::number(genusPage);
    if (level < 1)
        return out;

    out.name += ' ' + in.species;
    if (in.species.isEmpty())
        return out;
    if (in.authors)
        out.name += ' ' + in.speciesAuthor;
    const int speciesPage = in.speciesPages.value(in.speciesIndex);
    if (in.pages && speciesPage != genusPage)
        out.pageLabel += '/' + QString::number(speciesPage);
    if (level < 2)
        return out;

    out.name += ' ' + in.subsp;
    if (in.subsp.isEmpty())
        return out;
    if (in.authors && !in.subspAuthor.isEmpty())
        out.name += ' ' + in.subspAuthor;
    const int subspPage = in.subspPages.value(in.subspIndex);
    if (in.pages && subspPage != speciesPage)
        out.pageLabel += '/' + QString::number(subspPage);
    return out;
}
