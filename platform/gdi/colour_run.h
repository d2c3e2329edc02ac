#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi/types.h"

namespace platform {

// Writes runs of one 24-bit colour. The colour is laid out once over 96 bytes
// (32 pixels), the smallest length that both the 3-byte pixel and a 32-byte
// store divide; a run then costs stores only, as a memset does.
class ColourRun {
  public:
    explicit ColourRun(COLORREF colour);
    void write(std::uint8_t* out, std::size_t bytes) const;

  private:
    alignas(32) std::uint8_t pattern_[96];
};

}  // namespace platform
