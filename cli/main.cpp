// mirabo-cli: Mirabo without a display.

#include <cstdio>
#include <string>
#include <string_view>

#include "app/startup/program_version.h"
#include "cli/convert_command.h"
#include "cli/demo.h"
#include "cli/replay_status.h"
#include "platform/text/font_catalog.h"
#include "platform/text/utf.h"

namespace {

int usage(std::FILE* out) {
    std::fputs(
        "usage: mirabo-cli COMMAND [ARGS]\n"
        "\n"
        "commands:\n"
        "  demo [OUT.ppm]   paint the demo picture and write it (default mirabo-demo.ppm)\n"
        "  replay SCRIPT [--canvas WxH] [--start [COMMANDLINE]]\n"
        "                   run a recorded session of stylus events and commands; --start\n"
        "                   first restores a hibernated drawing and runs the command line\n"
        "  convert IN OUT [--crop]\n"
        "                   convert between .zsf, .bmp, .jpg and .png (the whole canvas\n"
        "                   unless --crop asks for the cropping of the exports)\n"
        "  info FILE        show what a .zsf, .bmp, .jpg or .png file's header says\n"
        "  fonts            list the font families the text tool can use\n"
        "  help             show this text\n"
        "  --version        show the version\n"
        "\n"
        "exit status: 0 done, 1 failed (a message says why), 2 a bad line in a replay script\n",
        out);
    return out == stdout ? 0 : 1;
}

int listFonts() {
    for (const std::u16string& family : platform::listFontFamilies())
        std::printf("%s\n", platform::toUtf8(family).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage(stderr);
    const std::string_view command = argv[1];
    if (command == "help" || command == "--help" || command == "-h") return usage(stdout);
    if (command == "--version" || command == "version") {
        std::printf("mirabo-cli %s\n", miraboVersion);
        return 0;
    }
    if (command == "fonts" && argc == 2) return listFonts();
    if (command == "replay") return replayWithStatus(argc - 2, argv + 2, stdout, stderr);
    if (command == "convert") return convertCommand(argc - 2, argv + 2, stdout, stderr);
    if (command == "info") return infoCommand(argc - 2, argv + 2, stdout, stderr);
    if (command == "demo" && argc <= 3) return runDemo(argc == 3 ? argv[2] : "mirabo-demo.ppm");
    std::fprintf(stderr, "mirabo-cli: unknown command or wrong arguments: %s\n\n", argv[1]);
    return usage(stderr);
}
