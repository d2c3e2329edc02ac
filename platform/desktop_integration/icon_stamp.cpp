#include "platform/desktop_integration/icon_stamp.h"

#include <sys/stat.h>

#include <cinttypes>
#include <cstdio>

namespace platform {

namespace {

constexpr std::string_view header = "mirabo icon files 1\n";

// The identity of the file at `path` as one line's fields; empty when it
// cannot be looked at. A file replaced by a rename has another inode, one
// written in place another time or size.
std::string identity(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::string();
    char fields[96];
    std::snprintf(fields, sizeof fields, "%" PRIuMAX " %" PRIdMAX " %" PRIdMAX ".%09ld",
                  std::uintmax_t(info.st_ino), std::intmax_t(info.st_size),
                  std::intmax_t(info.st_mtim.tv_sec), long(info.st_mtim.tv_nsec));
    return fields;
}

bool hasLineBreak(std::string_view text) {
    return text.find('\n') != std::string_view::npos;
}

}  // namespace

std::string iconStampText(std::string_view key, const std::vector<std::string>& paths) {
    if (hasLineBreak(key)) return std::string();
    std::string text(header);
    text.append(key).append("\n");
    for (const std::string& path : paths) {
        const std::string fields = identity(path);
        if (fields.empty() || hasLineBreak(path)) return std::string();
        text.append(fields).append(" ").append(path).append("\n");
    }
    return text;
}

int filesStillAsStamped(std::string_view stamp, std::string_view key) {
    if (!stamp.starts_with(header)) return -1;
    stamp.remove_prefix(header.size());
    if (!stamp.starts_with(key) || stamp.substr(key.size(), 1) != "\n") return -1;
    stamp.remove_prefix(key.size() + 1);
    int files = 0;
    while (!stamp.empty()) {
        const std::size_t end = stamp.find('\n');
        if (end == std::string_view::npos) return -1;  // cut short
        const std::string_view line = stamp.substr(0, end);
        stamp.remove_prefix(end + 1);
        // Three fields, then the path, which may itself hold spaces.
        std::size_t pathStart = 0;
        for (int field = 0; field < 3 && pathStart != std::string_view::npos; ++field) {
            pathStart = line.find(' ', pathStart);
            if (pathStart != std::string_view::npos) ++pathStart;
        }
        if (pathStart == std::string_view::npos || pathStart >= line.size()) return -1;
        const std::string path(line.substr(pathStart));
        if (identity(path) != line.substr(0, pathStart - 1)) return -1;
        ++files;
    }
    return files;
}

}  // namespace platform
