#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/desktop_integration/icon_image.h"

namespace platform {

// The icon as a PNG file (8-bit red, green, blue, alpha). The pixel data is
// stored rather than compressed: icons are small and written rarely, and this
// keeps the encoder a few lines instead of a library. Empty for an invalid
// icon.
std::string encodePng(const IconImage& icon);

namespace png {
// The checksums the format needs, exposed for their tests.
std::uint32_t crc32(const std::uint8_t* data, std::size_t bytes, std::uint32_t crc = 0);
std::uint32_t adler32(const std::uint8_t* data, std::size_t bytes);
}  // namespace png

}  // namespace platform
