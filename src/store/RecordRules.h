#pragma once

#include <QString>
#include <QVariant>

struct BrowseField;

// What a field of the name table may hold when a user types into it. The picker reads the
// number fields as 32-bit whole numbers and lists a record only by a level of 0, 1 or 2, so
// a record that breaks either is refused before it reaches the file.
namespace RecordRules {

// The value that the text typed into a field gives it: a whole number or null (empty) for a
// number field, the text itself (never null) for any other. Throws EngineError concerning
// `tablePath`, in plain words that name the field, when the field cannot hold the text.
QVariant valueOf(const BrowseField& field, const QString& typed, const QString& tablePath);

} // namespace RecordRules
