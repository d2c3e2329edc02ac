#include "app/startup/program_arguments.h"

#include "app/startup/program_version.h"

#include "platform/files/device_path.h"
#include "platform/files/file.h"

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
        if (i > 1) line += ' ';
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
           "exit status: 0 done (also when the running Mirabo took FILE), 1 the running\n"
           "Mirabo did not answer\n";
}

std::string programVersionText() {
    return std::string("mirabo ") + MIRABO_VERSION + "\n";
}

std::u16string commandLineText(std::string_view commandLine) {
    return platform::fromNativePath(commandLine);
}
