#include "platform/desktop_integration/xdg_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {

namespace {

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return found->pw_dir;
    return std::string();
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string baseFolder(const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return withoutTrailingSlashes(value);
    const std::string home = withoutTrailingSlashes(homeFolder());
    if (home.empty()) return std::string();
    return (home == "/" ? std::string() : home) + "/" + underHome;
}

}  // namespace

std::string xdgDataHome() {
    return baseFolder("XDG_DATA_HOME", ".local/share");
}

std::string xdgConfigHome() {
    return baseFolder("XDG_CONFIG_HOME", ".config");
}

std::string xdgCacheHome() {
    return baseFolder("XDG_CACHE_HOME", ".cache");
}

}  // namespace platform
