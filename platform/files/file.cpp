#include "platform/files/file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <string>

#include "platform/files/device_path.h"

namespace platform {

namespace {

int openFlags(FileAccess access) {
    switch (access) {
        case FileAccess::Read:
            return O_RDONLY;
        case FileAccess::Write:
            return O_WRONLY;
        case FileAccess::ReadWrite:
            return O_RDWR;
    }
    return O_RDONLY;
}

bool isRegularFile(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::unique_ptr<File> File::open(std::u16string_view path, FileAccess access,
                                 FileDisposition disposition, FileSharing sharing) {
    const bool create = disposition == FileDisposition::CreateAlways;
    if (create && access == FileAccess::Read) return nullptr;
    const std::string native = toNativePath(path);
    if (native.empty()) return nullptr;
    if (create && !createDeviceFolders(path)) return nullptr;

    // Not O_TRUNC: the file must not be emptied before we know nobody else
    // holds it. Non-blocking, so that a FIFO or device cannot hang the open;
    // such files are refused below anyway.
    int flags = openFlags(access) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (create) flags |= O_CREAT;
    int fd;
    do {
        fd = ::open(native.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return nullptr;

    const int lock = sharing == FileSharing::None ? LOCK_EX : LOCK_SH;
    bool usable = isRegularFile(fd) && flock(fd, lock | LOCK_NB) == 0;
    if (usable) usable = fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    if (usable && create) usable = ftruncate(fd, 0) == 0;
    if (!usable) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<File> file(new (std::nothrow) File(fd, access));
    if (!file) ::close(fd);
    return file;
}

File::~File() {
    close();
}

bool File::read(void* buffer, std::size_t bytes, std::size_t& got) {
    got = 0;
    if (fd_ < 0 || access_ == FileAccess::Write) return false;
    auto* out = static_cast<unsigned char*>(buffer);
    while (got < bytes) {
        const ssize_t n = ::read(fd_, out + got, bytes - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;  // end of file
        got += std::size_t(n);
    }
    return true;
}

bool File::write(const void* data, std::size_t bytes) {
    if (fd_ < 0 || access_ == FileAccess::Read) return false;
    const auto* in = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t n = ::write(fd_, in + done, bytes - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        // A regular file that takes nothing is full; asking again would spin.
        if (n == 0) return false;
        done += std::size_t(n);
    }
    return true;
}

bool File::seek(std::int64_t offset, SeekOrigin origin) {
    if (fd_ < 0) return false;
    const int whence = origin == SeekOrigin::Begin     ? SEEK_SET
                       : origin == SeekOrigin::Current ? SEEK_CUR
                                                       : SEEK_END;
    return lseek(fd_, off_t(offset), whence) >= 0;
}

std::int64_t File::position() const {
    if (fd_ < 0) return -1;
    return std::int64_t(lseek(fd_, 0, SEEK_CUR));
}

std::int64_t File::size() const {
    struct stat info {};
    if (fd_ < 0 || fstat(fd_, &info) != 0) return -1;
    return std::int64_t(info.st_size);
}

bool File::flush() {
    return fd_ >= 0 && fsync(fd_) == 0;
}

bool File::close() {
    if (fd_ < 0) return false;
    // The descriptor is gone even when close reports an error, so it must
    // not be closed again (another thread's file could have its number).
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
}

bool deleteFile(std::u16string_view path) {
    const std::string native = toNativePath(path);
    if (native.empty()) return false;
    struct stat info {};
    if (lstat(native.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    return unlink(native.c_str()) == 0;
}

bool renameFile(std::u16string_view from, std::u16string_view to) {
    const std::string source = toNativePath(from);
    const std::string target = toNativePath(to);
    if (source.empty() || target.empty()) return false;
    struct stat info {};
    if (stat(source.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    return ::rename(source.c_str(), target.c_str()) == 0;
}

bool fileExists(std::u16string_view path) {
    const std::string native = toNativePath(path);
    struct stat info {};
    return !native.empty() && stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace platform
