#include "document/file_format_failure.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/files/device_path.h"

ReadFailure whyNotOpened(std::u16string_view path) {
    const std::string native = platform::toNativePath(path);
    if (native.empty()) return ReadFailure::Missing;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(native, error);
    if (error == std::errc::permission_denied) return ReadFailure::NoPermission;
    if (!std::filesystem::exists(status)) return ReadFailure::Missing;
    if (!std::filesystem::is_regular_file(status)) return ReadFailure::NotOpened;
    // The reader's own open failed: try a plain one to learn whether the
    // system refuses the user, or whether somebody else holds the file.
    errno = 0;
    std::FILE* file = std::fopen(native.c_str(), "rb");
    if (!file)
        return errno == EACCES || errno == EPERM ? ReadFailure::NoPermission
                                                 : ReadFailure::NotOpened;
    std::fclose(file);
    return ReadFailure::NotOpened;
}

std::unique_ptr<platform::File> openForReading(const char16_t* path, platform::FileSharing sharing,
                                               ReadProblem* problem) {
    if (!path) {
        refuse(problem, ReadFailure::Missing);
        return nullptr;
    }
    auto file = platform::File::open(path, platform::FileAccess::Read,
                                     platform::FileDisposition::OpenExisting, sharing);
    if (!file) refuse(problem, whyNotOpened(path));
    return file;
}
