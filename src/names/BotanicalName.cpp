#include "names/BotanicalName.h"

bool BotanicalName::isAutonym() const {
    return !infra.isEmpty() && infra == species;
}

char* BotanicalName::compose(qsizetype size) {
    // A buffer of its own for each parse: a copy of the name made earlier keeps the old one.
    composed_ = QByteArray(size, Qt::Uninitialized);
    return composed_.data();
}
