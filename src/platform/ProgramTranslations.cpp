#include "platform/ProgramTranslations.h"

#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>

namespace {

// As with gettext, a C or POSIX locale for messages keeps the texts as written, whatever
// LANGUAGE asks for.
bool messagesInCLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return value == "C" || value.startsWith("C.") || value == "POSIX";
    }
    return true;
}

} // namespace

ProgramTranslations::ProgramTranslations() {
    // Beside the program in a build tree or an unpacked copy, else in share/ of its
    // installation.
    const QString folder = programFolder();
    const QStringList folders = {folder + QStringLiteral("/translations"),
                                 folder + QStringLiteral("/../share/nardel/translations")};
    for (const QString& translations : folders) {
        if (messagesInCLocale() || program_.load(QLocale::system(), QStringLiteral("nardel"),
                                                 QStringLiteral("_"), translations))
            break;
    }
    if (!program_.isEmpty())
        QCoreApplication::installTranslator(&program_);
    // Qt's dialogs and buttons speak the program's language: Czech without a translation.
    const QLocale language(program_.isEmpty() ? QStringLiteral("cs") : program_.language());
    if (toolkit_.load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkit_);
}
