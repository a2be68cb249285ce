#include "store/BrowseRecord.h"

#include <QLocale>
#include <bit>
#include <cstring>

BrowseRecord::BrowseRecord(qint64 identity, std::span<const Statement::Value> values)
    : id(identity), m_fields(qsizetype(values.size())) {
    qsizetype bytes = 0;
    for (const Statement::Value& value : values)
        bytes += value.bytes.size();
    m_block = QByteArray(m_fields * qsizetype(sizeof(Field)) + bytes, Qt::Uninitialized);
    char* const block = m_block.data();
    char* field = block;
    char* text = block + m_fields * sizeof(Field);
    for (const Statement::Value& value : values) {
        Field stored{value.kind, value.integer, 0};
        if (value.kind == Statement::Kind::Real) {
            stored.number = std::bit_cast<qint64>(value.real);
        } else if (value.kind == Statement::Kind::Text || value.kind == Statement::Kind::Blob) {
            stored.number = text - block;
            stored.size = value.bytes.size();
            if (stored.size > 0)
                std::memcpy(text, value.bytes.data(), size_t(stored.size));
            text += stored.size;
        }
        // The block holds bytes: fields are copied in and out, never read in place.
        std::memcpy(field, &stored, sizeof stored);
        field += sizeof stored;
    }
}

QString BrowseRecord::text(int field) const {
    if (field < 0 || field >= m_fields)
        return QString();
    Field value;
    std::memcpy(&value, m_block.constData() + field * sizeof(Field), sizeof value);
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
        return QString::fromUtf8(m_block.constData() + value.number, value.size);
    }
    return QString();
}
