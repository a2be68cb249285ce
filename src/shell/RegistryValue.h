#pragma once

#include <QByteArray>
#include <QString>

// One value of a settings key, typed as in the Windows registry.
struct RegistryValue {
    enum class Type { Text, ExpandableText, Integer, Other };

    Type type = Type::Text;
    QString text;       // Text and ExpandableText
    qint32 integer = 0; // Integer
    QByteArray raw;     // Other: the right-hand side as it stood, written back as it was

    static RegistryValue ofText(const QString& text) { return {Type::Text, text, 0, {}}; }
    static RegistryValue ofExpandableText(const QString& text) {
        return {Type::ExpandableText, text, 0, {}};
    }
    static RegistryValue ofInteger(qint32 integer) { return {Type::Integer, {}, integer, {}}; }
    static RegistryValue ofOther(const QByteArray& raw) { return {Type::Other, {}, 0, raw}; }
};
