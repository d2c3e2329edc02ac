#pragma once

#include <cstddef>

namespace platform {

// Memory of a megabyte or more straight from the system, placed on a 2 MiB
// boundary and marked so that the system may back it with huge pages: one
// fault then maps 2 MiB instead of 4 KiB, which makes filling a new picture
// several times cheaper and its rows cheaper to reach afterwards. The memory
// is zeroed. A last part of at least half a huge page is mapped whole, so
// no more than half a huge page (1 MiB) is mapped beyond what was asked for.

// True for sizes worth mapping this way.
bool worthHugePages(std::size_t bytes);

// The bytes mapped for a request of `bytes`.
std::size_t hugePageMappingSize(std::size_t bytes);

// Null when the system has no memory to give.
void* mapHugePages(std::size_t bytes) noexcept;
// `bytes` as given to mapHugePages. A few mappings are kept for the next
// request of the same size (zeroed again when handed out), as an allocator
// keeps freed memory; at most 32 MiB.
void unmapHugePages(void* block, std::size_t bytes) noexcept;
// Gives the kept mappings back to the system.
void releaseKeptMappings() noexcept;

// Whether large buffers are mapped this way: yes, except in builds with the
// address checker, which watches only memory from the allocator. Tests turn
// it on and off to reach both ways.
bool largeBuffersUseHugePages();
void setLargeBuffersUseHugePages(bool use);

}  // namespace platform
