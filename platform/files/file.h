#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

enum class FileAccess { Read, Write, ReadWrite };
// CreateAlways makes the file or empties an existing one; OpenExisting fails
// when there is no such file.
enum class FileDisposition { CreateAlways, OpenExisting };
// None: nobody else may have the file open while we hold it. Read: others
// who also allow sharing may hold it at the same time.
enum class FileSharing { None, Read };
enum class SeekOrigin { Begin, Current, End };

// An open file, closed when the object goes. Paths are the program's UTF-16
// paths, device paths included (see device_path.h). Sharing is enforced
// between everyone who opens files through this class, this process and
// others alike, with whole-file locks: an exclusive lock for None, a shared
// one for Read. Opening never waits for a lock; a file somebody else holds
// fails to open.
class File {
  public:
    // Null when the file cannot be opened: missing (OpenExisting), not a
    // regular file, no permission, held by somebody else, or a device path
    // that does not map. Creating needs write access, so CreateAlways with
    // FileAccess::Read is refused. A new file in a device folder gets its
    // folders made first.
    static std::unique_ptr<File> open(std::u16string_view path, FileAccess access,
                                      FileDisposition disposition,
                                      FileSharing sharing = FileSharing::None);

    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Reads up to `bytes`, fewer only at the end of the file; `got` says how
    // many arrived. False on a read error (with `got` the bytes read before
    // it) or on a file opened without read access.
    bool read(void* buffer, std::size_t bytes, std::size_t& got);
    // True only when every byte was written.
    bool write(const void* data, std::size_t bytes);
    bool seek(std::int64_t offset, SeekOrigin origin);
    // The current position, or -1.
    std::int64_t position() const;
    // The file's length in bytes, or -1.
    std::int64_t size() const;
    // Waits until what was written is on the storage.
    bool flush();
    // Closes now and says whether the system accepted it; anything after that fails.
    bool close();

  private:
    friend class AtomicFileWriter;
    File(int fd, FileAccess access) : fd_(fd), access_(access) {}

    int fd_;
    FileAccess access_;
};

// False when the file is missing, is a folder or cannot be removed.
bool deleteFile(std::u16string_view path);
// Moves `from` to `to` in one step, replacing a file at `to`: anyone looking
// sees either the old or the new file there, never a missing or partial one.
// Both must be on the same file system.
bool renameFile(std::u16string_view from, std::u16string_view to);
// True for an existing regular file (not for folders).
bool fileExists(std::u16string_view path);

}  // namespace platform
