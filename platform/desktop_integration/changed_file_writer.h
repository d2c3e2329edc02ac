#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class FileUpdate { Unchanged, Written, Failed };

// Gives the file at `path` (a path of this system) the content `content`,
// touching it only when its content differs, so that whoever watches the
// file is not woken for nothing. The new content replaces the old in one
// step (a reader sees the old or the new file, never part of one), keeps the
// old file's permissions, and goes through a link to the file it names. The
// folders leading to the file are made when missing, for this user alone.
FileUpdate writeFileIfChanged(const std::string& path, std::string_view content);

// Reads the whole file at `path` into `content`. True also when there is no
// such file (`content` is then empty); false when it exists but cannot be read.
bool readFileIfAny(const std::string& path, std::string& content);

// Makes `folder` and every missing folder above it. True when it exists afterwards.
bool makeFolders(const std::string& folder);

}  // namespace platform
