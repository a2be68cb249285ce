// The settings key file read from any bytes. What it reads must survive a rewrite: the
// rewritten file reads as the same values and, written again, comes out byte for byte the
// same (lines that are no values stay as they stood); no line that names a value is lost; a
// value the program sets afterwards reads back and changes no other value.
#include "fuzz/FuzzCheck.h"
#include "shell/RegistryFile.h"
#include "support/ValueText.h"

#include <QStringList>

namespace {

const QString keyName = QStringLiteral("HKEY_CURRENT_USER\\Software\\Tarnwick\\Nardel\\1.0.0.0");

// The quoted name at the start of each line, as the file writes names; a name that holds no
// value reads as missing, which both readings must agree on too.
QStringList namesOfLines(const QByteArray& bytes) {
    QStringList names;
    for (const QByteArray& untrimmed : bytes.split('\n')) {
        const QByteArray line = untrimmed.trimmed();
        if (!line.startsWith('"'))
            continue;
        QByteArray name;
        for (qsizetype pos = 1; pos < line.size() && line[pos] != '"'; ++pos) {
            if (line[pos] == '\\' && pos + 1 < line.size())
                ++pos;
            name += line[pos];
        }
        names.append(QString::fromUtf8(name));
    }
    return names;
}

void requireSameValues(const RegistryFile& expected, const RegistryFile& read,
                       const QStringList& names, const char* promise) {
    for (const QString& name : names)
        require(valueText(expected.value(name)) == valueText(read.value(name)), promise);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    RegistryFile file = RegistryFile::parse(bytes);
    const QByteArray written = file.write(keyName);
    const QStringList names = namesOfLines(written);
    if (bytes.size() <= RegistryFile::maxSize)
        require(names == namesOfLines(bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes),
                "a rewrite keeps every line that names a value");
    const RegistryFile reread = RegistryFile::parse(written);
    requireSameValues(file, reread, names, "a rewritten file reads as the same values");
    require(reread.write(keyName) == written, "a file written again comes out the same");

    const QString probe = QStringLiteral("Probe");
    file.setValue(probe, RegistryValue::ofInteger(-7));
    const RegistryFile withProbe = RegistryFile::parse(file.write(keyName));
    require(valueText(withProbe.value(probe)) == QStringLiteral("integer:-7"),
            "a value set by the program reads back");
    requireSameValues(file, withProbe, names, "a value set by the program changes no other");
    return 0;
}
