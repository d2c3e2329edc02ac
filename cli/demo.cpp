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
# paint the walls with the fill bucket
tool 15
colour 0xB4E0F5
down 50 130
up 50 130
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
colour 0xA0A0A0
down 20 30
move 24 32
move 28 30
move 32 33
move 36 30
move 40 34
move 44 31
move 48 33
move 52 30
move 56 34
move 60 31
move 64 33
move 68 30
move 72 34
move 76 31
move 80 33
up 80 33
# the sun was too far right: select it and drag it left
tool 9
down 168 18
move 222 72
up 222 72
down 195 45
move 185 47
move 175 50
up 175 50
tool 0
# a name for it
tool 11
colour 0x202020
fontsize 14
down 150 240
type "Mirabo"
key 13
)";

}  // namespace

int runDemo(const char* path) {
    // A canvas the size of the view, so the whole picture is painted on screen.
    ReplayShell shell(ReplayShell::defaultViewWidth, ReplayShell::defaultViewHeight, stdout);
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
