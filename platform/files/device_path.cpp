#include "platform/files/device_path.h"

#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/text/utf.h"

namespace platform {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string homeFolder() {
    std::string home = environment("HOME");
    if (!home.empty()) return home;
    // Without HOME (services, some test runners) the password database
    // still knows where the user lives.
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        home = found->pw_dir;
    return home;
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// The components of a device path below the root, or false for a path that
// must not be mapped.
bool deviceComponents(std::u16string_view path, std::vector<std::u16string_view>& components) {
    std::size_t i = 1;
    while (i <= path.size()) {
        std::size_t end = i;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        const std::u16string_view part = path.substr(i, end - i);
        if (part == u"..") return false;
        if (!part.empty() && part != u".") components.push_back(part);
        i = end + 1;
    }
    return true;
}

std::string joinUnder(const std::string& root, const std::string& relative) {
    if (relative.empty()) return root;
    return root == "/" ? root + relative : root + "/" + relative;
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Looks before creating: above the user's own folders mkdir may answer
// "permission denied" rather than "exists".
bool ensureFolder(const std::string& folder) {
    if (isFolder(folder)) return true;
    if (mkdir(folder.c_str(), 0777) == 0) return true;
    return errno == EEXIST && isFolder(folder);
}

}  // namespace

std::string deviceRoot() {
    std::string root = environment("MIRABO_DEVICE_ROOT");
    if (!root.empty()) return withoutTrailingSlashes(root);
    // By the XDG base directory rules a relative value is invalid and must
    // be ignored.
    const std::string state = environment("XDG_STATE_HOME");
    if (!state.empty() && state.front() == '/')
        return joinUnder(withoutTrailingSlashes(state), "mirabo");
    const std::string home = homeFolder();
    if (home.empty()) return std::string();
    return joinUnder(withoutTrailingSlashes(home), ".local/state/mirabo");
}

bool isDevicePath(std::u16string_view path) {
    return !path.empty() && path[0] == u'\\' && (path.size() == 1 || path[1] != u'\\');
}

std::string toNativePath(std::u16string_view path) {
    if (path.empty() || path.find(u'\0') != std::u16string_view::npos) return std::string();
    std::string bytes;
    if (!isDevicePath(path)) return toSystemName(path, bytes) ? bytes : std::string();

    std::vector<std::u16string_view> components;
    if (!deviceComponents(path, components)) return std::string();
    const std::string root = deviceRoot();
    if (root.empty()) return std::string();
    std::string relative;
    for (const std::u16string_view part : components) {
        if (!toSystemName(part, bytes)) return std::string();
        if (!relative.empty()) relative += '/';
        relative += bytes;
    }
    return joinUnder(root, relative);
}

std::u16string fromNativePath(std::string_view path) {
    return fromSystemName(path);
}

bool createDeviceFolders(std::u16string_view path) {
    if (!isDevicePath(path)) return true;
    std::vector<std::u16string_view> components;
    if (path.find(u'\0') != std::u16string_view::npos || !deviceComponents(path, components))
        return false;
    const std::string root = deviceRoot();
    if (root.empty()) return false;

    // Every folder from the root down, the root's own parents included, as a
    // fresh home may not have ~/.local/state yet.
    std::string folder;
    std::size_t start = 0;
    while (start < root.size()) {
        std::size_t end = root.find('/', start + 1);
        if (end == std::string::npos) end = root.size();
        folder = root.substr(0, end);
        if (!folder.empty() && folder != "/" && !ensureFolder(folder)) return false;
        start = end;
    }
    // The last component names the file itself.
    folder = root;
    std::string bytes;
    for (std::size_t i = 0; i + 1 < components.size(); ++i) {
        if (!toSystemName(components[i], bytes)) return false;
        folder = joinUnder(folder, bytes);
        if (!ensureFolder(folder)) return false;
    }
    return true;
}

}  // namespace platform
