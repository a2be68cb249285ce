#include "app/ProgramOptions.h"

#include <algorithm>
#include <iterator>

namespace {

// The toolkit's own options, which QApplication takes from the command line later; those of
// the first list take a value, as the next argument or after "=".
const char* const toolkitOptionsWithValue[] = {
    "style",   "stylesheet",      "platform",     "platformpluginpath", "platformtheme",
    "plugin",  "qwindowgeometry", "qwindowicon",  "qwindowtitle",       "session",
    "display", "geometry",        "qmljsdebugger"};
const char* const toolkitFlags[] = {"reverse", "widgetcount"};

bool isOneOf(const QString& name, const auto& names) {
    return std::any_of(std::begin(names), std::end(names),
                       [&name](const char* known) { return name == QLatin1String(known); });
}

} // namespace

ProgramOptions readProgramOptions(const QStringList& arguments) {
    bool help = false, version = false;
    QString error;
    QString tablesFolder;
    const auto fail = [&error](const QString& text) {
        if (error.isEmpty())
            error = text;
    };
    for (qsizetype at = 1; at < arguments.size(); ++at) {
        const QString& argument = arguments[at];
        if (!argument.startsWith(u'-') || argument.size() < 2) {
            fail(ProgramOptions::tr("program nečte soubory, jen volby: „%1“").arg(argument));
            continue;
        }
        // The toolkit takes its options with one dash or two; ours have two.
        const QString bare = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype equals = bare.indexOf(u'=');
        const QString name = bare.left(equals);
        const bool hasValue = equals >= 0;
        const bool ours = argument.startsWith(QLatin1String("--")) || argument == u"-h";
        if (ours && (name == u"help" || name == u"h" || name == u"version")) {
            if (hasValue)
                fail(ProgramOptions::tr(
                         "volba %1 nemá hodnotu: napište ji bez „=“ a toho, co následuje")
                         .arg(argument.left(argument.indexOf(u'='))));
            else
                (name == u"version" ? version : help) = true;
        } else if (ours && name == u"tables") {
            const bool followed = !hasValue && at + 1 < arguments.size();
            const QString folder = hasValue   ? bare.mid(equals + 1)
                                   : followed ? arguments[++at]
                                              : QString();
            if (folder.isEmpty())
                fail(ProgramOptions::tr(
                    "u volby --tables chybí složka: napište ji za volbu, například "
                    "--tables ~/tabulky"));
            else
                tablesFolder = folder;
        } else if (isOneOf(name, toolkitOptionsWithValue)) {
            if (!hasValue && ++at >= arguments.size())
                fail(ProgramOptions::tr("u volby %1 chybí hodnota: napište ji za volbu")
                         .arg(argument));
        } else if (!hasValue && isOneOf(name, toolkitFlags)) {
            // The toolkit's, without a value.
        } else {
            fail(ProgramOptions::tr("neznámá volba „%1“").arg(argument));
        }
    }
    ProgramOptions options;
    if (help) {
        options.action = ProgramOptions::Action::Help;
    } else if (version) {
        options.action = ProgramOptions::Action::Version;
    } else if (!error.isEmpty()) {
        options.action = ProgramOptions::Action::Fail;
        options.error = error;
    } else {
        options.tablesFolder = tablesFolder;
    }
    return options;
}

QString programHelp() {
    return ProgramOptions::tr(
        "Použití: nardel [VOLBY]\n"
        "Vybírá vědecká jména rostlin ze tří provázaných seznamů a kopíruje je do schránky.\n"
        "\n"
        "Volby:\n"
        "  --tables SLOŽKA  při tomto spuštění čte tabulky jmen jen ze SLOŽKY\n"
        "  -h, --help       vypíše tuto nápovědu\n"
        "  --version        vypíše verzi programu\n"
        "Přijímá i volby knihovny Qt (-platform, -display, -style …).\n"
        "\n"
        "Tabulky jmen (plantnames.db, syns.db) hledá program v první z těchto složek, která je "
        "má:\n"
        "  $NARDEL_TABLES, je-li nastavena\n"
        "  $XDG_DATA_HOME/nardel, jinak ~/.local/share/nardel (sem je zapisuje nardel-import)\n"
        "  složka programu\n"
        "  share/nardel instalace (u balíčku /usr/share/nardel)\n"
        "\n"
        "Nastavení je v $XDG_CONFIG_HOME/Tarnwick/Nardel/1.0.0.0.reg, jinak\n"
        "v ~/.config/Tarnwick/Nardel/1.0.0.0.reg.\n");
}
