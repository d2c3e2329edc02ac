#include "platform/desktop_integration/changed_file_writer.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/atomic_file_writer.h"
#include "platform/files/device_path.h"

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
    if (!makeFolders(folderOf(path))) return FileUpdate::Failed;

    // The writer takes the program's paths, where a leading backslash would
    // name a device file; "./" keeps such a name the plain file it is here.
    std::u16string target = fromNativePath(path);
    if (isDevicePath(target)) target = u"./" + target;
    struct stat info {};
    const bool existed = stat(path.c_str(), &info) == 0;

    // A file kept elsewhere behind a link (a dot-file collection, say) stays
    // there: the writer follows the link rather than replacing it, and keeps
    // the old file's mode.
    const auto writer = AtomicFileWriter::create(target);
    if (!writer || !writer->write(content.data(), content.size()) || !writer->commit())
        return FileUpdate::Failed;
    // New files are for every reader, as the desktop's own are, whatever the umask.
    if (!existed) chmod(path.c_str(), 0644);
    return FileUpdate::Written;
}

}  // namespace platform
