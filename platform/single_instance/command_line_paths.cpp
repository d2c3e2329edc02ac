#include "platform/single_instance/command_line_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace platform {

namespace {

bool isRelative(std::string_view path) {
    return !path.empty() && path.front() != '/' && path.front() != '\\';
}

std::string joined(const std::string& folder, std::string_view path) {
    std::string result = folder;
    if (result.empty() || result.back() != '/') result += '/';
    result += path;
    return result;
}

bool isExistingFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isFileVerb(std::string_view verb) {
    if (verb.size() != 4) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if ((verb[i] | 0x20) != "file"[i]) return false;
    return true;
}

}  // namespace

std::string withAbsolutePath(std::string_view commandLine, const std::string& workingFolder) {
    if (workingFolder.empty() || commandLine.find('\0') != std::string_view::npos)
        return std::string(commandLine);
    if (isRelative(commandLine)) {
        std::string candidate = joined(workingFolder, commandLine);
        if (isExistingFile(candidate)) return candidate;
    }
    const std::size_t colon = commandLine.find(':');
    if (colon == std::string_view::npos || !isFileVerb(commandLine.substr(0, colon)))
        return std::string(commandLine);
    const std::string_view path = commandLine.substr(colon + 1);
    if (!isRelative(path)) return std::string(commandLine);
    return std::string(commandLine.substr(0, colon + 1)) + joined(workingFolder, path);
}

std::string currentFolder() {
    std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
    return folder ? std::string(folder.get()) : std::string();
}

}  // namespace platform
