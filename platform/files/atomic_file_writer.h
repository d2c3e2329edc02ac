#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/files/file.h"

namespace platform {

// Replaces a file safely: everything is written to a new file beside the
// target, and only `commit` puts it in the target's place, in one step. Until
// then, and for good when the writing or the commit fails, the target is
// exactly what it was (or still absent). A writer destroyed without a
// successful commit removes its temporary file.
//
// A target that is a symbolic link stays one: the file it points to is
// replaced (made, when the link points to nothing yet). The replacement
// keeps the old file's permission bits, and its owner and group as far as
// the user may give them.
class AtomicFileWriter {
  public:
    // Null when the target may not be replaced: it is not a plain file, or
    // the user may not write it (the superuser neither, when no write bit is
    // set at all); and when the temporary file cannot be made (no such
    // folder, no permission for the folder, a device path that does not map).
    // For a device path the device folders are made first. The target itself
    // is not opened. The temporary name keeps within the folder's name
    // limit, so a target whose name is as long as the limit can be written.
    static std::unique_ptr<AtomicFileWriter> create(std::u16string_view targetPath);

    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // The temporary file, open for reading and writing; for seeking back to
    // patch a header, for instance.
    File& file() { return *file_; }
    // True only when every byte was written; false also after `commit`.
    bool write(const void* data, std::size_t bytes);

    // Puts what was written on the storage and then in the target's place.
    // False when any step fails; the target is then untouched and the
    // temporary file removed. Works once.
    bool commit();

    // The temporary file's path of this system (empty after a commit); for
    // tests.
    const std::string& temporaryPath() const { return temporaryPath_; }

  private:
    AtomicFileWriter(std::unique_ptr<File> file, std::string temporaryPath, std::string targetPath)
        : file_(std::move(file)),
          temporaryPath_(std::move(temporaryPath)),
          targetPath_(std::move(targetPath)) {}
    void abandon();

    std::unique_ptr<File> file_;
    std::string temporaryPath_;
    std::string targetPath_;
    bool done_ = false;
};

}  // namespace platform
