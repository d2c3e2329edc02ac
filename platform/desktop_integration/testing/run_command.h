#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <string>

#include "platform/desktop_integration/background_process.h"

namespace platform::testing {

// Runs a shell command with a clean environment plus `environment` (in the
// shell's NAME=value form), so that the desktop the tests happen to run
// under cannot change what the desktop tools answer. Returns the exit code
// (-1 when it did not run) and gives what it printed.
inline int runCommand(const std::string& command, std::string& output,
                      const std::string& environment = "") {
    output.clear();
    const std::string full = "env -i PATH=/usr/local/bin:/usr/bin:/bin HOME=/nonexistent " +
                             environment + " sh -c '" + command + "' 2>&1";
    FILE* pipe = popen(full.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline bool haveProgram(const char* name) {
    return !findProgram(name).empty();
}

}  // namespace platform::testing
