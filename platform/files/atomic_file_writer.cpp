#include "platform/files/atomic_file_writer.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <new>

#include "platform/files/device_path.h"

namespace platform {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The longest file name the folder takes; 255 bytes where it will not say.
std::size_t nameLimit(const std::string& folder) {
    const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? std::size_t(limit) : 255;
}

// A name nobody else is likely to pick: hidden, tied to the target, this
// process and a counter, with the clock against a reused process id. O_EXCL
// settles any clash that remains. The target's name is shortened as far as
// needed (never inside a UTF-8 sequence) to keep within the folder's name
// limit, so any name that can be saved at all gets its temporary file.
std::string candidateName(const std::string& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string suffix(1, '.');
    suffix += std::to_string(getpid());
    suffix += '-';
    suffix += std::to_string(counter++);
    suffix += '-';
    suffix += std::to_string((ticks + attempt) & 0xFFFFFF);
    suffix += ".tmp";
    const std::string folder = folderOf(target);
    const std::string name = nameOf(target);
    const std::size_t limit = nameLimit(folder);
    const std::size_t room = limit > suffix.size() + 1 ? limit - suffix.size() - 1 : 0;
    std::size_t kept = name.size();
    if (kept > room) {
        kept = room;
        while (kept > 0 && (std::uint8_t(name[kept]) & 0xC0) == 0x80)
            --kept;
    }
    std::string candidate = folder;
    candidate += "/.";
    candidate.append(name, 0, kept);
    candidate += suffix;
    return candidate;
}

// The file a save to `path` means: through symbolic links to the file they
// name, which may not exist yet (a link to a file still to be made). The
// link stays and the file it points to gets the new content. Empty for a
// chain of links that never ends.
std::string followLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::string link(std::size_t(info.st_size > 0 ? info.st_size : 0) + 256, '\0');
        const ssize_t length = readlink(path.c_str(), link.data(), link.size());
        if (length <= 0 || std::size_t(length) >= link.size()) return std::string();
        link.resize(std::size_t(length));
        path = link.front() == '/' ? link : folderOf(path) + "/" + link;
    }
    return std::string();
}

// Whether the user may change the file that is there. The rename that ends a
// save only needs the folder's permission, so without this check a file
// marked read-only would be silently replaced. The superuser passes every
// access check; a file that grants writing to nobody is still taken as
// meant to stay unchanged, much as the superuser may only run a file that
// some execute bit allows.
bool mayReplace(const std::string& path, const struct stat& info) {
    if (!S_ISREG(info.st_mode)) return false;
    if (geteuid() == 0 && (info.st_mode & 0222) == 0) return false;
    return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The replacement keeps the owner, group and permissions of the file it
// replaces, as far as we may give them: the group when we belong to it, the
// owner only as the superuser. The mode comes last, as a change of owner
// clears the set-id bits.
void keepOwnerAndMode(int fd, const struct stat& old) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0 && fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Neither could be given: the file stays ours.
    }
    fchmod(fd, old.st_mode & 07777);
}

// Makes the directory entry of a rename durable too, not only the data.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    ::close(fd);
}

}  // namespace

std::unique_ptr<AtomicFileWriter> AtomicFileWriter::create(std::u16string_view targetPath) {
    const std::string named = toNativePath(targetPath);
    if (named.empty() || named.back() == '/') return nullptr;
    if (!createDeviceFolders(targetPath)) return nullptr;
    std::string target = followLinks(named);
    if (target.empty() || target.back() == '/') return nullptr;

    struct stat old {};
    const bool replacing = stat(target.c_str(), &old) == 0;
    if (replacing && !mayReplace(target, old)) return nullptr;

    std::string temporary;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 64 && fd < 0; ++attempt) {
        temporary = candidateName(target, attempt);
        fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR) return nullptr;
    }
    if (fd < 0) return nullptr;

    if (replacing) keepOwnerAndMode(fd, old);
    // Held like any file we write, so nobody who opens it by name through
    // File reads it half written.
    flock(fd, LOCK_EX | LOCK_NB);

    std::unique_ptr<File> file(new (std::nothrow) File(fd, FileAccess::ReadWrite));
    if (!file) {
        ::close(fd);
        unlink(temporary.c_str());
        return nullptr;
    }
    std::unique_ptr<AtomicFileWriter> writer(
        new (std::nothrow) AtomicFileWriter(std::move(file), temporary, std::move(target)));
    if (!writer) unlink(temporary.c_str());
    return writer;
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!done_) abandon();
}

bool AtomicFileWriter::write(const void* data, std::size_t bytes) {
    return !done_ && file_->write(data, bytes);
}

bool AtomicFileWriter::commit() {
    if (done_) return false;
    // Data first, then the name: after a crash the target is either the old
    // file or the complete new one.
    const bool stored = file_->flush() && file_->close();
    if (!stored || ::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        abandon();
        return false;
    }
    syncFolder(folderOf(targetPath_));
    done_ = true;
    temporaryPath_.clear();
    return true;
}

void AtomicFileWriter::abandon() {
    file_->close();
    if (!temporaryPath_.empty()) unlink(temporaryPath_.c_str());
    done_ = true;
}

}  // namespace platform
