#include "platform/desktop_integration/background_process.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string findProgram(const std::string& name) {
    if (name.empty()) return std::string();
    if (name.find('/') != std::string::npos) return isExecutableFile(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string_view folders = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = folders.find(':');
        // An empty entry means the working folder.
        const std::string_view part = folders.substr(0, colon);
        const std::string_view folder = part.empty() ? std::string_view(".") : part;
        const std::string candidate = std::string(folder) + "/" + name;
        if (isExecutableFile(candidate)) return candidate;
        if (colon == std::string_view::npos) return std::string();
        folders.remove_prefix(colon + 1);
    }
}

bool startInBackground(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return false;
    const std::string program = findProgram(arguments[0]);
    if (program.empty()) return false;

    // Everything the children need is made before the fork: between fork and
    // exec only the simplest system calls are safe in a program with threads.
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int nowhere = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nowhere < 0) return false;

    const pid_t middle = fork();
    if (middle == 0) {
        const pid_t worker = fork();
        if (worker == 0) {
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            // dup2 clears close-on-exec on the copies; the original goes.
            dup2(nowhere, 0);
            dup2(nowhere, 1);
            dup2(nowhere, 2);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        _exit(worker > 0 ? 0 : 1);
    }
    close(nowhere);
    if (middle < 0) return false;
    int status = 0;
    while (waitpid(middle, &status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
