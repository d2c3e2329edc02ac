#include "platform/gdi/pixel_scan.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define MIRABO_PIXEL_SCAN_AVX2 1
#endif

namespace platform {

namespace {

// The masked colour of one pixel in the key's layout (red in the low byte).
inline std::uint32_t keyOf(const std::uint8_t* p) {
    return (std::uint32_t(p[2]) & 0xF8) | (std::uint32_t(p[1]) & 0xF8) << 8 |
           (std::uint32_t(p[0]) & 0xF8) << 16;
}

inline bool matches(const std::uint8_t* p, std::uint32_t key) {
    return keyOf(p) == key;
}

std::int32_t scalarFindDifferent(const std::uint8_t* p, std::int32_t from, std::int32_t count,
                                 std::uint32_t key) {
    for (std::int32_t i = from; i < count; ++i)
        if (!matches(p + 3 * i, key)) return i;
    return count;
}

std::int32_t scalarFindLastDifferent(const std::uint8_t* p, std::int32_t count, std::uint32_t key) {
    for (std::int32_t i = count - 1; i >= 0; --i)
        if (!matches(p + 3 * i, key)) return i;
    return -1;
}

std::int32_t scalarFindEither(const std::uint8_t* a, const std::uint8_t* b, std::int32_t from,
                              std::int32_t count, std::uint32_t key) {
    for (std::int32_t i = from; i < count; ++i)
        if ((a && matches(a + 3 * i, key)) || (b && matches(b + 3 * i, key))) return i;
    return count;
}

#ifdef MIRABO_PIXEL_SCAN_AVX2

__extension__ typedef unsigned __int128 Bits128;

// Thirty-two pixels are 96 bytes: three 32-byte loads, each compared with
// the key laid out in the phase its bytes fall in. The byte-equality masks
// make a 96-bit number in which pixel i owns bits 3i to 3i + 2.
struct Block {
    __m256i masked[3];
    __m256i pattern[3];
};

__attribute__((target("avx2"))) inline Block makeBlock(std::uint32_t key) {
    alignas(32) std::uint8_t bytes[96];
    for (int i = 0; i < 96; i += 3) {
        bytes[i] = std::uint8_t(key >> 16);
        bytes[i + 1] = std::uint8_t(key >> 8);
        bytes[i + 2] = std::uint8_t(key);
    }
    Block block;
    for (int k = 0; k < 3; ++k) {
        block.masked[k] = _mm256_set1_epi8(char(0xF8));
        block.pattern[k] = _mm256_load_si256(reinterpret_cast<const __m256i*>(bytes + 32 * k));
    }
    return block;
}

// The byte-equality masks of the 96 bytes at `p`, one 32-bit mask a load.
struct Equal {
    std::uint32_t m[3];
    bool none() const { return (m[0] | m[1] | m[2]) == 0; }
    bool all() const { return (m[0] & m[1] & m[2]) == 0xFFFFFFFFu; }
};

__attribute__((target("avx2"))) inline Equal equalBytes(const std::uint8_t* p, const Block& b) {
    Equal e;
    for (int k = 0; k < 3; ++k) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * k));
        const __m256i eq = _mm256_cmpeq_epi8(_mm256_and_si256(v, b.masked[k]), b.pattern[k]);
        e.m[k] = std::uint32_t(_mm256_movemask_epi8(eq));
    }
    return e;
}

// Bit 3i set when all three bytes of pixel i are equal.
inline Bits128 matchBits(const Equal& e) {
    const Bits128 equal = Bits128(e.m[0]) | Bits128(e.m[1]) << 32 | Bits128(e.m[2]) << 64;
    return equal & (equal >> 1) & (equal >> 2);
}

constexpr Bits128 pixelStarts = [] {
    Bits128 bits = 0;
    for (int i = 0; i < 32; ++i)
        bits |= Bits128(1) << (3 * i);
    return bits;
}();

// The key's block for the last key asked for: a fill asks thousands of times
// with one key. Only the user-interface thread paints.
__attribute__((target("avx2"))) const Block& blockFor(std::uint32_t key) {
    static std::uint32_t cachedKey = 0xFFFFFFFFu;
    static Block cached;
    if (key != cachedKey) {
        cached = makeBlock(key);
        cachedKey = key;
    }
    return cached;
}

inline int lowestPixel(Bits128 bits) {
    const auto low = std::uint64_t(bits);
    return (low ? __builtin_ctzll(low) : 64 + __builtin_ctzll(std::uint64_t(bits >> 64))) / 3;
}

inline int highestPixel(Bits128 bits) {
    const auto high = std::uint64_t(bits >> 64);
    return (high ? 127 - __builtin_clzll(high) : 63 - __builtin_clzll(std::uint64_t(bits))) / 3;
}

__attribute__((target("avx2"))) std::int32_t avx2FindDifferent(const std::uint8_t* p,
                                                               std::int32_t count,
                                                               std::uint32_t key) {
    const Block& block = blockFor(key);
    const Bits128 starts = pixelStarts;
    std::int32_t i = 0;
    for (; i + 32 <= count; i += 32) {
        // Inside an area every byte matches.
        const Equal e = equalBytes(p + 3 * i, block);
        if (e.all()) continue;
        const Bits128 miss = ~matchBits(e) & starts;
        if (miss) return i + lowestPixel(miss);
    }
    return scalarFindDifferent(p, i, count, key);
}

__attribute__((target("avx2"))) std::int32_t avx2FindLastDifferent(const std::uint8_t* p,
                                                                   std::int32_t count,
                                                                   std::uint32_t key) {
    const Block& block = blockFor(key);
    const Bits128 starts = pixelStarts;
    std::int32_t end = count;
    for (; end >= 32; end -= 32) {
        const Equal e = equalBytes(p + 3 * (end - 32), block);
        if (e.all()) continue;
        const Bits128 miss = ~matchBits(e) & starts;
        if (miss) return end - 32 + highestPixel(miss);
    }
    return scalarFindLastDifferent(p, end, key);
}

__attribute__((target("avx2"))) std::int32_t avx2FindEither(const std::uint8_t* a,
                                                            const std::uint8_t* b,
                                                            std::int32_t count, std::uint32_t key) {
    const Block& block = blockFor(key);
    const Bits128 starts = pixelStarts;
    std::int32_t i = 0;
    for (; i + 32 <= count; i += 32) {
        Bits128 hit = 0;
        if (a) {
            const Equal e = equalBytes(a + 3 * i, block);
            if (!e.none()) hit |= matchBits(e);
        }
        if (b) {
            const Equal e = equalBytes(b + 3 * i, block);
            if (!e.none()) hit |= matchBits(e);
        }
        hit &= starts;
        if (hit) return i + lowestPixel(hit);
    }
    return scalarFindEither(a, b, i, count, key);
}

bool wideScansEnabled = true;

bool haveAvx2() {
    static const bool have = __builtin_cpu_supports("avx2");
    return have && wideScansEnabled;
}

#endif

}  // namespace

void useWidePixelScans(bool enabled) {
#ifdef MIRABO_PIXEL_SCAN_AVX2
    wideScansEnabled = enabled;
#else
    (void)enabled;
#endif
}

// One run is the search in two runs with the second missing.
std::int32_t findMatchingPixel(const std::uint8_t* pixels, std::int32_t count, std::uint32_t key) {
    return findMatchingPixelInEither(pixels, nullptr, count, key);
}

std::int32_t findDifferentPixel(const std::uint8_t* pixels, std::int32_t count, std::uint32_t key) {
#ifdef MIRABO_PIXEL_SCAN_AVX2
    if (count >= 32 && haveAvx2()) return avx2FindDifferent(pixels, count, key);
#endif
    return scalarFindDifferent(pixels, 0, count, key);
}

std::int32_t findLastDifferentPixel(const std::uint8_t* pixels, std::int32_t count,
                                    std::uint32_t key) {
#ifdef MIRABO_PIXEL_SCAN_AVX2
    if (count >= 32 && haveAvx2()) return avx2FindLastDifferent(pixels, count, key);
#endif
    return scalarFindLastDifferent(pixels, count, key);
}

std::int32_t findMatchingPixelInEither(const std::uint8_t* a, const std::uint8_t* b,
                                       std::int32_t count, std::uint32_t key) {
#ifdef MIRABO_PIXEL_SCAN_AVX2
    if (count >= 32 && haveAvx2()) return avx2FindEither(a, b, count, key);
#endif
    return scalarFindEither(a, b, 0, count, key);
}

}  // namespace platform
