#pragma once

#include <string>
#include <string_view>

namespace platform {

// A later start hands its command line to an instance that runs in another
// working folder, so a relative document path must become absolute first.
// Returns `commandLine` (UTF-8) with that done against `workingFolder`:
// - a command line that names an existing file (relative to the working
//   folder) becomes that file's absolute path;
// - otherwise, with the verb "file" (any letter case) before the first
//   colon, the relative path after that colon becomes absolute; the verb is
//   kept as written;
// - everything else, absolute paths and device paths ("\Temp\x") included,
//   stays as it is, and so does everything when `workingFolder` is empty.
// The path is joined, not resolved: "a/../b.zsf" keeps its "..", as the
// system would read it.
std::string withAbsolutePath(std::string_view commandLine, const std::string& workingFolder);

// The process's working folder, or empty when it cannot be had (removed, say).
std::string currentFolder();

}  // namespace platform
