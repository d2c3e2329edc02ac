#include "canvas/magnify_row.h"

#include <cstring>

namespace {

typedef std::uint8_t Bytes16 __attribute__((vector_size(16)));

// Byte i of the result is byte mask[i] of the 32 bytes low, high. GCC has
// a builtin that becomes one shuffle instruction; elsewhere it is spelled out.
inline Bytes16 shuffleBytes(Bytes16 low, Bytes16 high, Bytes16 mask) {
#if defined(__GNUC__) && !defined(__clang__)
    return __builtin_shuffle(low, high, mask);
#else
    Bytes16 out;
    for (int i = 0; i < 16; ++i) {
        const int k = mask[i] & 31;
        out[i] = k < 16 ? low[k] : high[k - 16];
    }
    return out;
#endif
}

// For each zoom factor, the three byte shuffles that turn 32 source bytes
// into 48 destination bytes (16 pixels): destination byte k takes source
// byte 3 * (k / 3 / factor) + k % 3.
struct Shuffles {
    Bytes16 masks[3];
};

Shuffles shufflesFor(int factor) {
    Shuffles s{};
    for (int k = 0; k < 48; ++k)
        s.masks[k / 16][k % 16] = std::uint8_t(3 * (k / 3 / factor) + k % 3);
    return s;
}

const Shuffles& shuffles(int factor) {
    static const Shuffles two = shufflesFor(2), four = shufflesFor(4), eight = shufflesFor(8),
                          sixteen = shufflesFor(16);
    switch (factor) {
        case 2:
            return two;
        case 4:
            return four;
        case 8:
            return eight;
        default:
            return sixteen;
    }
}

// Sixteen destination pixels per step, by byte shuffles; built for the plain
// instruction set and for one with a byte-shuffle instruction, and the loader
// picks what the processor has.
__attribute__((target_clones("avx2", "default"))) void magnifyBlocks(std::uint8_t* out,
                                                                     const std::uint8_t* in,
                                                                     std::int32_t blocks,
                                                                     std::int32_t inStep,
                                                                     const Shuffles& s) {
    for (std::int32_t b = 0; b < blocks; ++b, in += inStep, out += 48) {
        Bytes16 low, high;
        std::memcpy(&low, in, 16);
        std::memcpy(&high, in + 16, 16);
        const Bytes16 a = shuffleBytes(low, high, s.masks[0]);
        const Bytes16 c = shuffleBytes(low, high, s.masks[1]);
        const Bytes16 d = shuffleBytes(low, high, s.masks[2]);
        std::memcpy(out, &a, 16);
        std::memcpy(out + 16, &c, 16);
        std::memcpy(out + 32, &d, 16);
    }
}

}  // namespace

void magnifyRow(std::uint8_t* out, const std::uint8_t* source, std::int32_t sourcePixels,
                std::int32_t x, std::int32_t right, int factor) {
    const bool shuffled = factor == 2 || factor == 4 || factor == 8 || factor == 16;
    // Pixel by pixel up to a block boundary, then whole blocks while the 32
    // bytes read stay inside the source row.
    for (; x < right && (!shuffled || x % 16 != 0); ++x, out += 3)
        std::memcpy(out, source + 3 * (x / factor), 3);
    if (x < right) {
        const std::int32_t perBlock = 16 / factor;  // source pixels per block
        std::int32_t blocks = (right - x) / 16;
        const std::int32_t first = x / factor;
        const std::int32_t readable = (3 * (sourcePixels - first) - 32) / (3 * perBlock) + 1;
        if (3 * (sourcePixels - first) < 32) blocks = 0;
        if (blocks > readable) blocks = readable;
        if (blocks > 0) {
            magnifyBlocks(out, source + 3 * first, blocks, 3 * perBlock, shuffles(factor));
            x += 16 * blocks;
            out += 48 * std::ptrdiff_t(blocks);
        }
    }
    for (; x < right; ++x, out += 3)
        std::memcpy(out, source + 3 * (x / factor), 3);
}
