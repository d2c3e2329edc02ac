#include "platform/desktop_integration/changed_file_writer.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace platform {

namespace {

bool isFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool hasContent(const std::string& path, std::string_view content) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool same = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                std::uint64_t(info.st_size) == content.size();
    std::string existing(same ? content.size() : 0, '\0');
    std::size_t got = 0;
    while (same && got < existing.size()) {
        const ssize_t n = read(fd, existing.data() + got, existing.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            same = false;
            break;
        }
        got += std::size_t(n);
    }
    close(fd);
    return same && existing == content;
}

bool writeAll(int fd, std::string_view content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

}  // namespace

bool readFileIfAny(const std::string& path, std::string& content) {
    content.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    char buffer[8192];
    while (ok) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        content.append(buffer, std::size_t(n));
    }
    close(fd);
    return ok;
}

bool makeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    if (isFolder(folder)) return true;
    const std::string parent = folderOf(folder);
    if (parent != folder && !makeFolders(parent)) return false;
    // New folders of the user's data are the user's alone, as the XDG base
    // directory rules ask.
    return mkdir(folder.c_str(), 0700) == 0 || (errno == EEXIST && isFolder(folder));
}

FileUpdate writeFileIfChanged(const std::string& path, std::string_view content) {
    if (path.empty() || path.back() == '/') return FileUpdate::Failed;
    if (hasContent(path, content)) return FileUpdate::Unchanged;

    // A file kept elsewhere behind a link (a dot-file collection, say) stays
    // there: the link is followed rather than replaced by a plain file.
    std::string target = path;
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::unique_ptr<char, decltype(&free)> real(realpath(path.c_str(), nullptr), &free);
        if (!real) return FileUpdate::Failed;
        target = real.get();
    }
    const std::string folder = folderOf(target);
    if (!makeFolders(folder)) return FileUpdate::Failed;

    std::string temporary = folder + "/.mirabo-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return FileUpdate::Failed;
    mode_t mode = 0644;
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) mode = info.st_mode & 07777;
    const bool written = writeAll(fd, content) && fchmod(fd, mode) == 0;
    // No fsync: these files are written again at every start, so one lost
    // in a crash comes back at the next, and start-up does not wait for the disk.
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return FileUpdate::Failed;
    }
    return FileUpdate::Written;
}

}  // namespace platform
