#include "store/EngineError.h"

#include <utility>

namespace {

// What a user can make of the engine's usual failures, in plain words, with what to do. The
// engine's texts are the SQLite library's own, stable from version to version.
QString explanationOf(const QString& text) {
    static const std::pair<const char*, const char*> explanations[] = {
        {"file is not a database",
         "Soubor tabulky je poškozený nebo to není tabulka programu Nardel. Obnovte jej novou "
         "instalací programu, nebo jej vytvořte znovu příkazem nardel-import."},
        {"malformed",
         "Soubor tabulky je poškozený. Obnovte jej novou instalací programu, nebo jej vytvořte "
         "znovu příkazem nardel-import."},
        {"unable to open database file",
         "Soubor tabulky nelze otevřít. Zkontrolujte, že existuje a že jej smíte číst."},
        {"Table does not exist",
         "Soubor tabulky chybí. Obnovte jej novou instalací programu, nebo jej vytvořte příkazem "
         "nardel-import."},
        {"not a file",
         "Na místě souboru tabulky je něco jiného než soubor (viz níže). Odstraňte to a tabulku "
         "obnovte novou instalací programu, nebo ji vytvořte příkazem nardel-import."},
        {"readonly database",
         "Do tabulky nelze zapisovat: soubor nebo jeho složka jsou jen pro čtení."},
        {"database or disk is full", "Na disku není místo. Uvolněte místo a akci opakujte."},
        {"database is locked",
         "Tabulku právě používá jiný program. Počkejte, až skončí, a akci opakujte."},
        {"password",
         "Tabulka je chráněna jiným heslem, než jaké zná tento program. Vytvořte ji příkazem "
         "nardel-import."},
    };
    for (const auto& [engineText, explanation] : explanations) {
        if (text.contains(QLatin1String(engineText), Qt::CaseInsensitive))
            return QString::fromUtf8(explanation);
    }
    return {};
}

QString compose(const QString& text, const QString& file) {
    const QString explanation = explanationOf(text);
    QString message = explanation.isEmpty() ? text : explanation + QStringLiteral("\n\n") + text;
    return file.isEmpty() ? message : message + QStringLiteral("\nTable: ") + file;
}

} // namespace

EngineError::EngineError(const QString& text, const QString& file)
    : std::runtime_error(compose(text, file).toStdString()) {}
