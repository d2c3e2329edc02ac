#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A note of the icon files a registration left in the icon theme, as the
// system saw them then (inode, size and modification time of each), under a
// key naming the pictures they were drawn from and where they went. While
// the key is the same and every file is as the note saw it, the files are
// the ones that would be written now, so a start need not draw and encode
// the icons again to find that out.

// The note for `paths` under `key`; empty when a file cannot be looked at or
// a name could not be read back (a line break in it).
std::string iconStampText(std::string_view key, const std::vector<std::string>& paths);

// The number of files `stamp` vouches for when it was made under `key` and
// every file is still as it saw it; -1 otherwise.
int filesStillAsStamped(std::string_view stamp, std::string_view key);

}  // namespace platform
