#include "app/command_line.hpp"

#include "core/identity.hpp"

#include <algorithm>
#include <array>

namespace tervanel::app {

namespace {

using namespace std::string_view_literals;

// The options that QGuiApplication, QApplication and the X11 and Wayland platforms read
// from the command line; each is written with one dash or two. The first group takes a
// value, as the next argument or after "=".
constexpr std::array kQtOptionsWithValue{
    "platform"sv,        "platformpluginpath"sv,
    "platformtheme"sv,   "plugin"sv,
    "qwindowgeometry"sv, "geometry"sv,
    "qwindowicon"sv,     "icon"sv,
    "qwindowtitle"sv,    "title"sv,
    "display"sv,         "name"sv,
    "session"sv,         "style"sv,
    "stylesheet"sv,      "qmljsdebugger"sv,
    "visual"sv,          "dialogs"sv,
    "fontengine"sv,
};
constexpr std::array kQtFlags{"reverse"sv, "widgetcount"sv, "nograb"sv,
                              "dograb"sv,  "sync"sv,        "testability"sv};

template <std::size_t N>
bool listed(const std::array<std::string_view, N> &names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

CommandLine parseCommandLine(std::span<char *const> arguments)
{
    CommandLine line;
    const auto refuse = [&](std::string_view argument, std::string reason) {
        line.action = CommandLine::Action::Refuse;
        line.refused = argument;
        line.reason = std::move(reason);
        return line;
    };

    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help"sv) {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (argument == "--version"sv) {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (argument.size() < 2 || argument[0] != '-')
            return refuse(argument, "argomento non previsto");

        // Qt's own options: -name, --name, -name=value, --name=value, -name value.
        std::string_view name = argument.substr(argument.starts_with("--"sv) ? 2 : 1);
        std::string_view value;
        bool hasValue = false;
        if (const auto equals = name.find('='); equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        if (listed(kQtFlags, name) && !hasValue)
            continue;
        if (!listed(kQtOptionsWithValue, name))
            return refuse(argument, "opzione non riconosciuta");
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return refuse(argument, "l'opzione richiede un valore");
            value = arguments[++i];
        }
        if (name == "platform"sv)
            line.platformGiven = true;
        else if (name == "display"sv)
            line.display = value;
    }
    return line;
}

std::string versionText()
{
    return "tervanel (" + std::string(identity::kProgramName) + ") "
           + std::string(identity::kVersion) + "\nRealizzato da "
           + std::string(identity::kPublisher) + " <" + std::string(identity::kAuthorEmail)
           + ">.\n";
}

std::string helpText()
{
    return "Uso: tervanel [OPZIONE]...\n" + std::string(identity::kSummary)
           + ": tredici\n"
             "domande, e il Responso dice a quale specialista rivolgersi.\n"
             "\n"
             "      --help       mostra questo aiuto ed esce\n"
             "      --version    mostra la versione ed esce\n"
             "\n"
             "Sono accettate anche le opzioni di Qt, come -platform NOME, -display SCHERMO\n"
             "e -style STILE. Serve uno schermo grafico: X11, oppure Wayland dove X11 manca.\n"
             "\n"
             "Stato d'uscita: 0 se tutto va bene, 1 in caso di errore (anche senza schermo),\n"
             "2 per un'opzione sbagliata.\n"
             "\n"
             "Segnalare i problemi a <"
           + std::string(identity::kAuthorEmail) + ">.\nPagina web: <https://"
           + std::string(identity::kWebAddress) + ">\n";
}

std::string refusalText(const CommandLine &line)
{
    return "tervanel: " + line.reason + " -- '" + line.refused
           + "'\nUsare 'tervanel --help' per maggiori informazioni.\n";
}

} // namespace tervanel::app
