#include "picker/NameComboBox.h"

#include <QListView>

void NameComboBox::showPopup() {
    // view() makes the popup list when it does not exist yet.
    if (auto* const rows = qobject_cast<QListView*>(view()); rows && !rows->uniformItemSizes())
        rows->setUniformItemSizes(true);
    QComboBox::showPopup();
}
