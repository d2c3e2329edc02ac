#include "cli/demo.h"

#include <cstdio>
#include <sstream>

#include "cli/ppm_writer.h"
#include "cli/replay_shell.h"

namespace {

// A short session with the painting tools, in the replay language, so the
// demo exercises the same paths a user's stylus does.
constexpr const char* demoScript = R"(# meadow and sky
tool 3
colour 0x3C9A4E
down 0 210
move 239 267
up 239 267
tool 5
colour 0x00C8FF
down 170 20
move 220 70
up 220 70
# a house
tool 2
width 3
colour 0x2A5CB8
down 40 120
move 120 200
up 120 200
tool 1
width 4
colour 0x1F1FA0
down 30 125
move 80 80
up 80 80
down 80 80
move 130 125
up 130 125
tool 4
width 2
colour 0x000000
down 65 145
move 95 175
up 95 175
# grass strokes with the pencil, and a cloud with the airbrush
tool 0
width 2
colour 0x1E6B2E
down 140 230
move 150 215
move 160 232
move 170 214
move 180 231
up 180 231
tool 6
size 5
colour 0xC8C8C8
down 20 30
move 40 34
move 60 30
move 80 36
up 80 36
)";

}  // namespace

int runDemo(const char* path) {
    ReplayShell shell(ReplayShell::defaultCanvasSize, ReplayShell::defaultCanvasSize, stdout);
    std::istringstream script(demoScript);
    std::string error;
    if (!shell.run(script, "demo", error)) {
        std::fprintf(stderr, "mirabo-cli: %s\n", error.c_str());
        return 1;
    }
    if (!writeCanvasPpm(shell.document().canvas, path)) {
        std::fprintf(stderr, "mirabo-cli: cannot write %s\n", path);
        return 1;
    }
    std::printf("wrote %s (%u x %u)\n", path, unsigned(shell.document().canvas.width()),
                unsigned(shell.document().canvas.height()));
    return 0;
}
