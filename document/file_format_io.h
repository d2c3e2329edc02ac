#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "platform/files/file.h"

// The file formats store their headers as little-endian records and read and
// write them as whole blocks, which only works on a little-endian machine.
static_assert(std::endian::native == std::endian::little,
              "file headers are read and written as little-endian blocks");

namespace file_format {

// True when all `bytes` arrived; a short read at the end of the file counts
// as a failure like a read error does.
inline bool readExactly(platform::File& file, void* buffer, std::size_t bytes) {
    std::size_t got = 0;
    return file.read(buffer, bytes, got) && got == bytes;
}

// Everything pictures and files may hold is far below this, so sizes and
// offsets computed from it fit comfortably in 64 bits.
constexpr std::int32_t maxImportDimension = 16384;

}  // namespace file_format
