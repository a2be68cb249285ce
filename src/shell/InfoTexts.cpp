#include "shell/InfoTexts.h"

#include "shell/VersionRecord.h"

#include <optional>

const QStringList VersionInfoKeys = {
    QStringLiteral("CompanyName"),      QStringLiteral("FileDescription"),
    QStringLiteral("FileVersion"),      QStringLiteral("InternalName"),
    QStringLiteral("LegalCopyright"),   QStringLiteral("LegalTradeMarks"),
    QStringLiteral("OriginalFileName"), QStringLiteral("ProductName"),
    QStringLiteral("ProductVersion"),   QStringLiteral("Comments"),
};

namespace {

const QString makerCopyright = QStringLiteral("Copyright © Tarnwick s.r.o.");

// The value of the first line whose part before its first "=" is `key`, letter case ignored.
std::optional<QString> lineValue(const QStringList& lines, const QString& key) {
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && QStringView(line).left(equals).compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1);
    }
    return std::nullopt;
}

} // namespace

QStringList versionLines(const VersionRecord& record) {
    QStringList lines;
    for (const QString& key : VersionInfoKeys) {
        const std::optional<QString> value = record.value(key);
        if (value && !value->isEmpty())
            lines.append(key + u'=' + *value);
    }
    return lines;
}

InfoTexts composeInfoTexts(const QStringList& lines, const InfoArguments& arguments,
                           const QString& applicationTitle) {
    InfoTexts texts;
    if (const auto name = lineValue(lines, QStringLiteral("InternalName")))
        texts.title = QStringLiteral("Program ") + *name;
    else if (!arguments.title.isEmpty())
        texts.title = arguments.title;
    else
        texts.title = QStringLiteral("Program ") + applicationTitle;

    texts.comment = lineValue(lines, QStringLiteral("FileDescription")).value_or(arguments.comment);

    if (const auto fileVersion = lineValue(lines, QStringLiteral("FileVersion"))) {
        const QString version =
            arguments.edition.isEmpty() ? *fileVersion : *fileVersion + u' ' + arguments.edition;
        texts.version = QStringLiteral("Version ") + version;
    } else {
        texts.version = QStringLiteral("Version ") + arguments.edition;
    }

    texts.copyright = lineValue(lines, QStringLiteral("LegalCopyright"))
                          .value_or(makerCopyright + QStringLiteral(" (") + arguments.year + u')');
    return texts;
}
