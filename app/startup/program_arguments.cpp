#include "app/startup/program_arguments.h"

#include "app/startup/program_version.h"

#include "platform/files/device_path.h"
#include "platform/files/file.h"

namespace {

// The window toolkit's own options, which it takes from the arguments itself
// (with one dash or two). These take a value, in the next argument or after
// "=".
constexpr std::string_view toolkitOptionsWithValue[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
// These stand alone, or carry a value only after "=".
constexpr std::string_view toolkitFlags[] = {
    "reverse", "widgetcount", "qmljsdebugger", "dialogs", "fontengine", "nograb", "dograb"};

bool isOneOf(std::string_view name, const auto& names) {
    for (std::string_view candidate : names)
        if (name == candidate) return true;
    return false;
}

// How many arguments from `argument` on are the toolkit's: 0, 1 or 2.
int toolkitArgumentCount(std::string_view argument) {
    if (!argument.starts_with('-')) return 0;
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const bool withValue = isOneOf(name, toolkitOptionsWithValue);
    if (!withValue && !isOneOf(name, toolkitFlags)) return 0;
    return withValue && equals == std::string_view::npos ? 2 : 1;
}

}  // namespace

ProgramArguments readProgramArguments(int argc, const char* const* argv) {
    ProgramArguments arguments;
    if (argc > 1 && argv[1]) {
        const std::string_view first = argv[1];
        if (first == "--help" || first == "-h") {
            arguments.request = ProgramArguments::Request::Help;
            return arguments;
        }
        if (first == "--version") {
            arguments.request = ProgramArguments::Request::Version;
            return arguments;
        }
    }
    std::string& line = arguments.commandLine;
    for (int i = 1; i < argc; ++i) {
        if (!argv[i]) continue;
        // Options for the window toolkit set up this process's window; they
        // are no part of the document's name, nor for a running program.
        if (const int skip = toolkitArgumentCount(argv[i]); skip > 0) {
            i += skip - 1;
            continue;
        }
        if (!line.empty()) line += ' ';
        line += argv[i];
    }
    // A path the shell split at its spaces is whole again here. Checked the
    // way the document will open it, device paths ("\Temp\x.zsf") included.
    if (!line.empty() && platform::fileExists(commandLineText(line))) line.insert(0, "file:");
    return arguments;
}

std::string programHelpText() {
    return "usage: mirabo [FILE | file:FILE]\n"
           "\n"
           "Mirabo, the paint and sketch program. Opens FILE, a sketch document (.zsf),\n"
           "or starts with the drawing left unsaved at the last close. When Mirabo runs\n"
           "already, its window comes to the front and opens FILE.\n"
           "\n"
           "  --help      show this text\n"
           "  --version   show the version\n"
           "\n"
           "exit status: 0 done (also when the running Mirabo took FILE; it opens FILE\n"
           "once any question it shows has its answer), 1 the running Mirabo did not\n"
           "answer or refused\n";
}

std::string programVersionText() {
    return std::string("mirabo ") + MIRABO_VERSION + "\n";
}

std::u16string commandLineText(std::string_view commandLine) {
    return platform::fromNativePath(commandLine);
}
