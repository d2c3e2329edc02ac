#include "platform/single_instance/instance_folder.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

bool makePrivateFolder(const std::string& folder) {
    if (folder.empty()) return false;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    // lstat, not stat: a link planted in a shared folder such as /tmp would
    // otherwise lead us into somebody else's folder.
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0) return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return false;
    if ((info.st_mode & 077) != 0 && chmod(folder.c_str(), 0700) != 0) return false;
    return true;
}

std::string instanceFolder() {
    // By the XDG base directory rules a relative value must be ignored.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder;
    if (runtime && runtime[0] == '/') {
        folder = runtime;
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        folder += folder == "/" ? "mirabo" : "/mirabo";
    } else {
        folder = "/tmp/mirabo-" + std::to_string(geteuid());
    }
    return makePrivateFolder(folder) ? folder : std::string();
}

}  // namespace platform
