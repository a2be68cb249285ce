#include "app/ProgramOptions.h"

#include <QCommandLineParser>

namespace {
const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
const QCommandLineOption versionOption(QStringLiteral("version"));
const QCommandLineOption tablesOption(QStringLiteral("tables"), QString(),
                                      QStringLiteral("SLOŽKA"));
} // namespace

ProgramOptions readProgramOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions({helpOption, versionOption, tablesOption});
    const bool parsed = parser.parse(arguments);
    ProgramOptions options;
    if (parser.isSet(helpOption)) {
        options.action = ProgramOptions::Action::Help;
    } else if (parser.isSet(versionOption)) {
        options.action = ProgramOptions::Action::Version;
    } else if (!parser.unknownOptionNames().isEmpty()) {
        options.action = ProgramOptions::Action::Fail;
        options.error =
            QStringLiteral("neznámá volba „%1“").arg(parser.unknownOptionNames().first());
    } else if (!parsed) {
        // Qt's own words name the fault, such as a folder missing after --tables.
        options.action = ProgramOptions::Action::Fail;
        options.error = QStringLiteral("chybně zadaná volba\n") + parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        options.action = ProgramOptions::Action::Fail;
        options.error = QStringLiteral("program nečte soubory, jen volby: „%1“")
                            .arg(parser.positionalArguments().first());
    } else {
        options.tablesFolder = parser.value(tablesOption);
    }
    return options;
}

QString programHelp() {
    return QStringLiteral(
        "Použití: nardel [VOLBY]\n"
        "Vybírá vědecká jména rostlin ze tří provázaných seznamů a kopíruje je do schránky.\n"
        "\n"
        "Volby:\n"
        "  --tables SLOŽKA  při tomto spuštění čte tabulky jmen jen ze SLOŽKY\n"
        "  -h, --help       vypíše tuto nápovědu\n"
        "  --version        vypíše verzi programu\n"
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
