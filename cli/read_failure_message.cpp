#include "cli/read_failure_message.h"

std::string readFailureMessage(const std::string& path, const ReadProblem& problem,
                               const std::string& kind) {
    std::string text = "mirabo-cli: " + path + ": ";
    const std::string detail = problem.detail.empty() ? "" : ": " + problem.detail;
    switch (problem.failure) {
        case ReadFailure::Missing:
            return text + "no such file";
        case ReadFailure::NoPermission:
            return text + "permission denied (the file, or a folder on its path, may not be read)";
        case ReadFailure::NotOpened:
            return text +
                   "cannot be opened (it is a folder or a special file, or another "
                   "program holds it)";
        case ReadFailure::NotThisFormat:
            return text + "not a " + kind + " file";
        case ReadFailure::Unsupported:
            return text + "unsupported " + kind + " variant" + detail;
        case ReadFailure::TooLarge:
            return text + "picture too large" + detail;
        case ReadFailure::OutOfMemory:
            return text + "out of memory";
        case ReadFailure::Damaged:
        case ReadFailure::None:
            break;
    }
    return text + "truncated or corrupt " + kind + " file" + detail;
}
