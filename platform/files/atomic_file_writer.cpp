#include "platform/files/atomic_file_writer.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
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

// A name nobody else is likely to pick: hidden, tied to the target, this
// process and a counter, with the clock against a reused process id. O_EXCL
// settles any clash that remains.
std::string candidateName(const std::string& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return folderOf(target) + "/." + nameOf(target) + "." + std::to_string(getpid()) + "-" +
           std::to_string(counter++) + "-" + std::to_string((ticks + attempt) & 0xFFFFFF) + ".tmp";
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
    std::string target = toNativePath(targetPath);
    if (target.empty() || target.back() == '/') return nullptr;
    if (!createDeviceFolders(targetPath)) return nullptr;

    std::string temporary;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 64 && fd < 0; ++attempt) {
        temporary = candidateName(target, attempt);
        fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR) return nullptr;
    }
    if (fd < 0) return nullptr;

    // The replacement keeps the permissions of the file it replaces.
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) fchmod(fd, info.st_mode & 07777);
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
