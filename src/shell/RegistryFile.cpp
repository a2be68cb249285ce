#include "shell/RegistryFile.h"

#include <QtEndian>
#include <charconv>

namespace {

const QByteArray header = "Windows Registry Editor Version 5.00";

// A quoted text is read as UTF-8, which drops a byte-order mark at its start, so a text that
// begins with U+FEFF does not stand between quotes either.
bool fitsOnLine(const QString& text) {
    return !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(QChar(u'\0')) &&
           !text.startsWith(QChar(0xfeff)) && text.isValidUtf16();
}

QString cutAtZero(const QString& text) {
    const qsizetype zero = text.indexOf(QChar(u'\0'));
    return zero < 0 ? text : text.first(zero);
}

// A quoted name or text starting at `pos`; on success `pos` ends after the closing quote.
std::optional<QString> readQuoted(QByteArrayView line, qsizetype& pos) {
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    QByteArray bytes;
    for (++pos; pos < line.size(); ++pos) {
        if (line[pos] == '"') {
            ++pos;
            return QString::fromUtf8(bytes);
        }
        if (line[pos] == '\\' && (++pos == line.size() || (line[pos] != '\\' && line[pos] != '"')))
            return std::nullopt;
        bytes += line[pos];
    }
    return std::nullopt;
}

QByteArray quoted(const QString& text) {
    QByteArray escaped = text.toUtf8();
    escaped.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + escaped + '"';
}

std::optional<quint32> hexNumber(QByteArrayView digits, qsizetype maxDigits) {
    quint32 number = 0;
    if (digits.isEmpty() || digits.size() > maxDigits)
        return std::nullopt;
    const auto [end, error] = std::from_chars(digits.begin(), digits.end(), number, 16);
    if (error != std::errc() || end != digits.end())
        return std::nullopt;
    return number;
}

std::optional<QByteArray> hexBytes(QByteArrayView list) {
    QByteArray bytes;
    if (list.trimmed().isEmpty())
        return bytes;
    for (const QByteArray& item : list.toByteArray().split(',')) {
        const auto byte = hexNumber(item.trimmed(), 2);
        if (!byte)
            return std::nullopt;
        bytes += char(*byte);
    }
    return bytes;
}

// The registry type in hex(N); a bare hex: is binary. Only types 1 and 2 are texts.
std::optional<quint32> hexType(const QByteArray& kind) {
    if (kind == "hex")
        return 3;
    if (!kind.startsWith("hex(") || !kind.endsWith(')'))
        return std::nullopt;
    return hexNumber(QByteArrayView(kind).sliced(4).chopped(1), 8);
}

// UTF-16LE code units; not QString::fromUtf16, which would take a leading FE,FF as a BOM.
std::optional<QString> fromUtf16Le(const QByteArray& bytes) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype unit = 0; unit < text.size(); ++unit)
        text[unit] = QChar(qFromLittleEndian<quint16>(bytes.constData() + 2 * unit));
    return text;
}

// The terminating zero lets the registry's own tools read the value as a string.
QByteArray toHexUtf16Le(const QString& text) {
    QByteArray bytes;
    for (const QChar unit : text + QChar(u'\0'))
        bytes.append(char(unit.unicode() & 0xff)).append(char(unit.unicode() >> 8));
    return bytes.toHex(',');
}

// The right-hand side of a value line.
std::optional<RegistryValue> parseData(QByteArrayView data) {
    if (data.startsWith('"')) {
        qsizetype pos = 0;
        const auto text = readQuoted(data, pos);
        if (!text || pos != data.size())
            return std::nullopt;
        return RegistryValue::ofText(cutAtZero(*text));
    }
    const qsizetype colon = data.indexOf(':');
    if (colon < 0)
        return std::nullopt;
    const QByteArray kind = data.first(colon).toByteArray().toLower();
    if (kind == "dword") {
        const auto number = hexNumber(data.sliced(colon + 1), 8);
        return number ? std::optional(RegistryValue::ofInteger(qint32(*number))) : std::nullopt;
    }
    const auto type = hexType(kind);
    const auto bytes = hexBytes(data.sliced(colon + 1));
    if (!type || !bytes)
        return std::nullopt;
    if (*type != 1 && *type != 2)
        return RegistryValue::ofOther(data.toByteArray());
    const auto text = fromUtf16Le(*bytes);
    if (!text)
        return std::nullopt;
    return *type == 1 ? RegistryValue::ofText(cutAtZero(*text))
                      : RegistryValue::ofExpandableText(cutAtZero(*text));
}

QByteArray writeData(const RegistryValue& value) {
    switch (value.type) {
    case RegistryValue::Type::Text:
        return fitsOnLine(value.text) ? quoted(value.text) : "hex(1):" + toHexUtf16Le(value.text);
    case RegistryValue::Type::ExpandableText:
        return "hex(2):" + toHexUtf16Le(value.text);
    case RegistryValue::Type::Integer:
        return "dword:" + QByteArray::number(quint32(value.integer), 16).rightJustified(8, '0');
    case RegistryValue::Type::Other:
        break;
    }
    return value.raw;
}

// A line without its end: every CR before the LF, as the rewrite ends each line with LF alone
// and a CR left over would end the line when it is read again.
QByteArray withoutCr(QByteArray line) {
    while (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// As in a registry export, only the hex data of a value goes on over a line's end, marked by
// a backslash; a comment or a text that ends in one does not swallow the next line.
bool continuesOnNextLine(QByteArrayView line) {
    qsizetype pos = 0;
    return line.endsWith('\\') && readQuoted(line, pos) &&
           line.sliced(pos).toByteArray().toLower().startsWith("=hex");
}

std::optional<std::pair<QString, RegistryValue>> parseValueLine(QByteArrayView line) {
    qsizetype pos = 0;
    const auto name = line.isValidUtf8() ? readQuoted(line, pos) : std::nullopt;
    if (!name || pos >= line.size() || line[pos] != '=')
        return std::nullopt;
    const auto value = parseData(line.sliced(pos + 1));
    return value ? std::optional(std::pair(*name, *value)) : std::nullopt;
}

} // namespace

RegistryFile RegistryFile::parse(const QByteArray& bytes) {
    RegistryFile file;
    if (bytes.size() > maxSize)
        return file;
    const QList<QByteArray> lines =
        (bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes).split('\n');
    // The lines each entry was read from, for a value whose name stands again further down.
    QList<QByteArray> linesOfEntries;
    for (qsizetype next = 0; next < lines.size();) {
        QByteArray kept = withoutCr(lines[next]);
        QByteArray line = lines[next++].trimmed();
        while (continuesOnNextLine(line)) {
            // At the end of the file the data goes on over an empty line, as it does once
            // the rewrite has put a line after it; else that line would join it.
            const QByteArray following = next < lines.size() ? lines[next++] : QByteArray();
            line.chop(1);
            kept += '\n' + withoutCr(following);
            // Trimmed again, for the blanks before a backslash that only an empty line follows.
            line = (line + following.trimmed()).trimmed();
        }
        // The header and the section line are written anew, for this key.
        if (line.isEmpty() || line == header || (line.startsWith('[') && line.endsWith(']')))
            continue;
        const auto value = line.startsWith(';') ? std::nullopt : parseValueLine(line);
        if (value) {
            // As in the registry, the later line of a name gives the value; the earlier one
            // stays as it stood, and a value set later changes the later line.
            const auto earlier = file.m_entryOfFoldedName.constFind(value->first.toCaseFolded());
            if (earlier != file.m_entryOfFoldedName.cend()) {
                file.m_entries[*earlier] = {QString(), RegistryValue(), linesOfEntries[*earlier]};
                file.m_entryOfFoldedName.erase(earlier);
            }
            file.setValue(value->first, value->second);
        } else {
            file.m_entries.append({QString(), RegistryValue(), kept});
        }
        linesOfEntries.append(kept);
    }
    return file;
}

QByteArray RegistryFile::write(const QString& keyName) const {
    QByteArray bytes = header + "\n\n[" + keyName.toUtf8() + "]\n";
    for (const Entry& entry : m_entries)
        bytes += (entry.keptLines.isEmpty() ? quoted(entry.name) + '=' + writeData(entry.value)
                                            : entry.keptLines) +
                 '\n';
    return bytes;
}

bool RegistryFile::isWritableName(const QString& name) {
    return fitsOnLine(name);
}

std::optional<RegistryValue> RegistryFile::value(const QString& name) const {
    const auto found = m_entryOfFoldedName.constFind(name.toCaseFolded());
    if (found == m_entryOfFoldedName.cend())
        return std::nullopt;
    return m_entries[*found].value;
}

void RegistryFile::setValue(const QString& name, const RegistryValue& value) {
    const QString folded = name.toCaseFolded();
    if (const auto found = m_entryOfFoldedName.constFind(folded);
        found != m_entryOfFoldedName.cend()) {
        m_entries[*found].value = value;
        return;
    }
    m_entryOfFoldedName.insert(folded, m_entries.size());
    m_entries.append({name, value, QByteArray()});
}
