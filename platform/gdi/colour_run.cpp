#include "platform/gdi/colour_run.h"

#include <cstring>

namespace platform {

namespace {

typedef std::uint8_t Word __attribute__((vector_size(32)));

// Built for the plain instruction set and for one with 32-byte stores; the
// loader picks the one the processor has.
__attribute__((target_clones("avx2", "default"))) void writePattern(std::uint8_t* out,
                                                                    std::size_t bytes,
                                                                    const std::uint8_t* pattern) {
    Word a, b, c;
    std::memcpy(&a, pattern, 32);
    std::memcpy(&b, pattern + 32, 32);
    std::memcpy(&c, pattern + 64, 32);
    while (bytes >= 96) {
        std::memcpy(out, &a, 32);
        std::memcpy(out + 32, &b, 32);
        std::memcpy(out + 64, &c, 32);
        out += 96;
        bytes -= 96;
    }
    std::memcpy(out, pattern, bytes);
}

}  // namespace

ColourRun::ColourRun(COLORREF colour) {
    for (int i = 0; i < 96; i += 3) {
        pattern_[i] = blueOf(colour);
        pattern_[i + 1] = greenOf(colour);
        pattern_[i + 2] = redOf(colour);
    }
}

void ColourRun::write(std::uint8_t* out, std::size_t bytes) const {
    writePattern(out, bytes, pattern_);
}

}  // namespace platform
