#include "store/EngineError.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("EngineError", text);
}

const char* const diskFull =
    QT_TRANSLATE_NOOP("EngineError", "Na disku není místo. Uvolněte místo a akci opakujte.");
const char* const unreadable = QT_TRANSLATE_NOOP(
    "EngineError", "Soubor tabulky nelze otevřít. Zkontrolujte, že existuje a že jej smíte číst.");
const char* const damaged = QT_TRANSLATE_NOOP(
    "EngineError", "Soubor tabulky je poškozený. Obnovte jej novou instalací programu, nebo jej "
                   "vytvořte znovu příkazem nardel-import.");
const char* const rebuild = QT_TRANSLATE_NOOP(
    "EngineError", "Tabulce chybí pole, které program potřebuje (viz níže). Vytvořte ji znovu "
                   "příkazem nardel-import.");

// What a user can make of the engine's usual failures, in plain words, with what to do. The
// engine's texts are the SQLite library's own, stable from version to version.
QString explanationOf(const QString& text) {
    static const std::pair<const char*, const char*> explanations[] = {
        {"file is not a database",
         QT_TRANSLATE_NOOP("EngineError",
                           "Soubor tabulky je poškozený nebo to není tabulka programu Nardel. "
                           "Obnovte jej novou instalací programu, nebo jej vytvořte znovu "
                           "příkazem nardel-import.")},
        {"malformed", damaged},
        {"unable to open database file", unreadable},
        {"' not found", rebuild},
        {"no such column", rebuild},
        {"is not a valid integer value for field",
         QT_TRANSLATE_NOOP("EngineError",
                           "V tabulce je v číselném poli text (viz níže). Opravte hodnotu v okně "
                           "Editace dat, nebo tabulku vytvořte znovu příkazem nardel-import.")},
        {"readonly database",
         QT_TRANSLATE_NOOP("EngineError", "Do tabulky nelze zapisovat: soubor nebo jeho složka "
                                          "jsou jen pro čtení.")},
        {"database or disk is full", diskFull},
        {"database is locked",
         QT_TRANSLATE_NOOP("EngineError", "Tabulku právě používá jiný program. Počkejte, až "
                                          "skončí, a akci opakujte.")},
    };
    for (const auto& [engineText, explanation] : explanations) {
        if (text.contains(QLatin1String(engineText), Qt::CaseInsensitive))
            return translated(explanation);
    }
    return {};
}

QString explanationOf(EngineError::Cause cause) {
    using Cause = EngineError::Cause;
    switch (cause) {
    case Cause::Unreadable:
        return translated(unreadable);
    case Cause::Missing:
        return QCoreApplication::translate(
            "EngineError", "Soubor tabulky chybí. Obnovte jej novou instalací programu, nebo jej "
                           "vytvořte příkazem nardel-import.");
    case Cause::NotAFile:
        return QCoreApplication::translate(
            "EngineError", "Na místě souboru tabulky je něco jiného než soubor. Odstraňte to a "
                           "tabulku obnovte novou instalací programu, nebo ji vytvořte příkazem "
                           "nardel-import.");
    case Cause::NoTable:
        return QCoreApplication::translate(
            "EngineError", "Soubor tabulky neobsahuje tabulku, kterou program potřebuje. "
                           "Vytvořte jej znovu příkazem nardel-import.");
    case Cause::Password:
        return QCoreApplication::translate(
            "EngineError", "Tabulka je chráněna jiným heslem, než jaké zná tento program. "
                           "Vytvořte ji příkazem nardel-import.");
    case Cause::ImportRunning:
        return QCoreApplication::translate(
            "EngineError", "Tabulky v této složce právě zapisuje jiný import nebo kopie tabulek. "
                           "Počkejte, až skončí, a akci opakujte.");
    case Cause::LockNotAFile:
        return QCoreApplication::translate(
            "EngineError", "Na místě zámku importu je něco jiného než soubor. Odstraňte to a "
                           "akci opakujte.");
    }
    return {};
}

// What a user can make of a system call's usual failures while the store writes in `folder`.
QString explanationOf(int error, const QString& folder) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return translated(diskFull);
    case EACCES:
    case EPERM:
    case EROFS:
        return QCoreApplication::translate("EngineError", "Do složky %1 nelze zapisovat: nemáte k "
                                                          "tomu právo, nebo je jen pro čtení.")
            .arg(folder);
    default:
        return {};
    }
}

QString compose(const QString& explanation, const QString& text, const QString& file) {
    QString message = explanation.isEmpty() ? text
                      : text.isEmpty()      ? explanation
                                            : explanation + QStringLiteral("\n\n") + text;
    return file.isEmpty() ? message
                          : message + u'\n' +
                                QCoreApplication::translate("EngineError", "Tabulka: %1").arg(file);
}

} // namespace

EngineError::EngineError(const QString& text, const QString& file)
    : EngineError(Composed{compose(explanationOf(text), text, file)}) {}

EngineError::EngineError(Cause cause, const QString& detail, const QString& file)
    : EngineError(Composed{compose(explanationOf(cause), detail, file)}) {}

EngineError::EngineError(Composed composed) : std::runtime_error(composed.text.toStdString()) {}

EngineError EngineError::ofSystem(const QString& doing, int error, const QString& folder,
                                  const QString& file) {
    const QString text =
        doing + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
    return EngineError(Composed{compose(explanationOf(error, folder), text, file)});
}
