#include "cli/replay_command.h"

#include <fstream>
#include <sstream>

#include "canvas/canvas.h"
#include "cli/replay_shell.h"
#include "cli/script_line.h"

bool parseCanvasSize(const std::string& text, std::uint16_t& width, std::uint16_t& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    long long w = 0, h = 0;
    if (!parseInteger(text.substr(0, x), w) || !parseInteger(text.substr(x + 1), h)) return false;
    if (w < 1 || w > Canvas::maxSide || h < 1 || h > Canvas::maxSide) return false;
    width = std::uint16_t(w);
    height = std::uint16_t(h);
    return true;
}

namespace {

int runScript(std::istream& script, const std::string& name, std::uint16_t width,
              std::uint16_t height, std::FILE* out, std::FILE* err,
              const std::optional<std::string>& startCommandLine, int badLineStatus) {
    ReplayShell shell(width, height, out);
    if (shell.document().canvas.liveBits() == nullptr) {
        std::fprintf(err, "mirabo-cli: no memory for a %u x %u canvas\n", width, height);
        return 1;
    }
    if (startCommandLine) shell.startUp(*startCommandLine);
    std::string error;
    if (!shell.run(script, name, error)) {
        std::fprintf(err, "mirabo-cli: %s\n", error.c_str());
        return badLineStatus;
    }
    return 0;
}

}  // namespace

int replayText(const std::string& script, const std::string& name, std::uint16_t canvasWidth,
               std::uint16_t canvasHeight, std::FILE* out, std::FILE* err,
               const std::optional<std::string>& startCommandLine) {
    std::istringstream in(script);
    return runScript(in, name, canvasWidth, canvasHeight, out, err, startCommandLine, 1);
}

int replayCommand(int argc, char** argv, std::FILE* out, std::FILE* err, int badLineStatus) {
    std::string scriptPath;
    std::uint16_t width = ReplayShell::defaultCanvasSize, height = ReplayShell::defaultCanvasSize;
    std::optional<std::string> start;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--start") {
            // The next word is the command line unless it is an option or
            // the script itself, which must still follow.
            start = std::string();
            const int remaining = argc - (i + 1);
            if (remaining > 0 && std::string(argv[i + 1]).rfind("--", 0) != 0 &&
                (!scriptPath.empty() || remaining > 1))
                *start = argv[++i];
        } else if (argument == "--canvas") {
            if (i + 1 >= argc || !parseCanvasSize(argv[i + 1], width, height)) {
                std::fprintf(err, "mirabo-cli: --canvas wants WxH, each side 1 to 1024\n");
                return 1;
            }
            ++i;
        } else if (scriptPath.empty()) {
            scriptPath = argument;
        } else {
            std::fprintf(err, "mirabo-cli: replay takes one script, not also %s\n", argv[i]);
            return 1;
        }
    }
    if (scriptPath.empty()) {
        std::fprintf(err,
                     "usage: mirabo-cli replay SCRIPT [--canvas WxH] [--start [COMMANDLINE]]\n");
        return 1;
    }
    std::ifstream script(scriptPath);
    if (!script) {
        std::fprintf(err, "mirabo-cli: cannot read the script %s\n", scriptPath.c_str());
        return 1;
    }
    return runScript(script, scriptPath, width, height, out, err, start, badLineStatus);
}
