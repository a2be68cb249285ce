#pragma once

#include "store/Utf8List.h"

#include <QComboBox>

// A drop-down list of names. Its popup list is made when it first opens, not with the window:
// most starts never open all three, and a list that does not exist costs nothing when the
// entries change. The popup lays out its rows as of one height, so that a list of thousands
// of species opens at once. A screen reader reads the list by its role, its accessible name
// ("Rod"), and the chosen entry as its value. The entries stay the UTF-8 bytes that the table
// gave; only those shown or searched become text.
class NameComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit NameComboBox(QWidget* parent = nullptr);

    const Utf8List& entries() const;
    // Puts `entries` in place of the list's, none chosen.
    void setEntries(const Utf8List& entries);
    // An event filter for the popup list, which takes the keys while it is open: installed
    // when the list is made. The filter outlives the list.
    void setPopupFilter(QObject* filter) { m_popupFilter = filter; }
    void showPopup() override;

private:
    QObject* m_popupFilter = nullptr;
};
