#include "cli/replay_status.h"

#include "cli/replay_command.h"

int replayWithStatus(int argc, char** argv, std::FILE* out, std::FILE* err) {
    return replayCommand(argc, argv, out, err, 2);
}
