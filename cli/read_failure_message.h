#pragma once

#include <string>

#include "document/file_format_failure.h"

// What `mirabo-cli` prints when it cannot read a file: one line naming the
// file and saying which of the distinct problems it is, so that a user
// knows whether to look for the file, its permissions, another program to
// save it with, or a good copy. `kind` names the format ("bitmap", "JPEG",
// "sketch"). No line break at the end.
std::string readFailureMessage(const std::string& path, const ReadProblem& problem,
                               const std::string& kind);
