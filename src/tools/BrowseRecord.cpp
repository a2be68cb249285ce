#include "tools/BrowseRecord.h"

#include <QLocale>
#include <bit>

BrowseRecord::BrowseRecord(qint64 identity, std::span<const Statement::Value> values)
    : id(identity) {
    qsizetype bytes = 0;
    for (const Statement::Value& value : values)
        bytes += value.bytes.size();
    m_bytes.reserve(bytes);
    m_fields.reserve(qsizetype(values.size()));
    for (const Statement::Value& value : values) {
        switch (value.kind) {
        case Statement::Kind::Null:
            m_fields.append({value.kind, 0, 0});
            break;
        case Statement::Kind::Integer:
            m_fields.append({value.kind, value.integer, 0});
            break;
        case Statement::Kind::Real:
            m_fields.append({value.kind, std::bit_cast<qint64>(value.real), 0});
            break;
        case Statement::Kind::Text:
        case Statement::Kind::Blob:
            m_fields.append({value.kind, m_bytes.size(), value.bytes.size()});
            m_bytes.append(value.bytes);
            break;
        }
    }
}

QString BrowseRecord::text(int field) const {
    if (field < 0 || field >= m_fields.size())
        return QString();
    const Field& value = m_fields[field];
    switch (value.kind) {
    case Statement::Kind::Null:
        break;
    case Statement::Kind::Integer:
        return QString::number(value.number);
    case Statement::Kind::Real:
        // As a variant holding the real writes it.
        return QString::number(std::bit_cast<double>(value.number), 'g',
                               QLocale::FloatingPointShortest);
    case Statement::Kind::Text:
    case Statement::Kind::Blob:
        return QString::fromUtf8(m_bytes.constData() + value.number, value.size);
    }
    return QString();
}
