#include "store/RecordRules.h"

#include "store/BrowseTable.h"
#include "store/EngineError.h"
#include "store/TableSchema.h"

#include <QCoreApplication>
#include <limits>

namespace RecordRules {
namespace {

constexpr qint64 smallest = std::numeric_limits<qint32>::min();
constexpr qint64 largest = std::numeric_limits<qint32>::max();

bool isLevel(const BrowseField& field) {
    return field.name.compare(TableSchema::NameColumn::level, Qt::CaseInsensitive) == 0;
}

} // namespace

QVariant valueOf(const BrowseField& field, const QString& typed, const QString& tablePath) {
    // Empty text is stored as empty text, as the import stores it, never as null.
    if (!field.integer)
        return typed.isNull() ? QStringLiteral("") : typed;
    const QString text = typed.trimmed();
    bool whole = false;
    const qint64 number = text.toLongLong(&whole);
    if (isLevel(field) && !(whole && number >= 0 && number <= 2))
        throw EngineError(QCoreApplication::translate(
                              "RecordRules", "%1 musí být 0 (rod), 1 (druh) nebo 2 (poddruh), ne "
                                             "„%2“. Opravte hodnotu, nebo změny záznamu zrušte "
                                             "klávesou Esc.")
                              .arg(field.name, typed),
                          tablePath);
    if (text.isEmpty())
        return QVariant();
    if (!whole || number < smallest || number > largest)
        throw EngineError(QCoreApplication::translate(
                              "RecordRules", "%1 musí být celé číslo od %2 do %3, ne „%4“. "
                                             "Opravte hodnotu, nebo změny záznamu zrušte klávesou "
                                             "Esc.")
                              .arg(field.name)
                              .arg(smallest)
                              .arg(largest)
                              .arg(typed),
                          tablePath);
    return number;
}

} // namespace RecordRules
