// Another running copy of the program as far as its settings go: opens the program's key under
// ROOT ("-" for the program's own), for writing only when it may write the key's folder, as the
// program does.
//
//   settings_probe ROOT [write NAME int|text|expandable VALUE | read NAME]...
//
// Prints "all", "read" or, when the key does not open, "none" for the access it got, then a
// line per read, as ValueText.h writes it. Exits 1 when a write fails (the error on stderr),
// 2 on bad arguments.
#include "shell/RegistryKey.h"
#include "support/ValueText.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

std::optional<RegistryValue> valueOf(const QString& type, const QString& text) {
    bool number = false;
    const int integer = text.toInt(&number);
    if (type == "int" && number)
        return RegistryValue::ofInteger(integer);
    if (type == "text")
        return RegistryValue::ofText(text);
    if (type == "expandable")
        return RegistryValue::ofExpandableText(text);
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty()) {
        err << "usage: settings_probe ROOT [write NAME int|text|expandable VALUE | read NAME]...\n";
        return 2;
    }
    const QString root = args.takeFirst();
    RegistryKey key(QStringLiteral("Tarnwick/Nardel/1.0.0.0"),
                    root == "-" ? RegistryKey::rootFolder() : root);
    const std::optional<RegistryKey::Access> access = key.openAsAllowed();
    out << (!access ? "none" : access == RegistryKey::Access::All ? "all" : "read") << '\n';
    while (!args.isEmpty()) {
        const QString command = args.takeFirst();
        if (command == "read" && !args.isEmpty()) {
            out << valueText(key.value(args.takeFirst())) << '\n';
            continue;
        }
        const auto value =
            command == "write" && args.size() >= 3 ? valueOf(args[1], args[2]) : std::nullopt;
        if (!value) {
            err << "bad command at " << command << '\n';
            return 2;
        }
        try {
            key.setValue(args[0], *value);
        } catch (const SettingsWriteError& error) {
            err << error.what() << '\n';
            return 1;
        }
        args.remove(0, 3);
    }
    return 0;
}
