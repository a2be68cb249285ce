#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// The entries of a drop-down list, in order.
QStringList entries(const QComboBox* list);
// What the user's choice in a drop-down list does: select the entry and raise `activated`.
// Fails the running test when the list has no such entry.
void pick(QComboBox* list, const QString& text);
