#include "app/qt/xrgb_rows.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/bitmap.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define MIRABO_XRGB_WIDE 1
#endif

namespace {

constexpr std::uint32_t opaque = 0xFF000000u;

void plainRow(std::uint8_t* out, const std::uint8_t* in, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i, in += 3, out += 4) {
        const std::uint32_t pixel =
            opaque | std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16;
        std::memcpy(out, &pixel, 4);
    }
}

#ifdef MIRABO_XRGB_WIDE

// Sixteen pixels are 48 bytes in and 64 out: three loads, cut into four
// groups of twelve bytes, each spread to four pixels by one byte shuffle.
// The loads never reach past the last pixel of the run.
__attribute__((target("ssse3"))) void wideRow(std::uint8_t* out, const std::uint8_t* in,
                                              std::int32_t count) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i alpha = _mm_set1_epi32(std::int32_t(opaque));
    std::int32_t i = 0;
    for (; i + 16 <= count; i += 16, in += 48, out += 64) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 32));
        __m128i* o = reinterpret_cast<__m128i*>(out);
        _mm_storeu_si128(o, _mm_or_si128(_mm_shuffle_epi8(a, spread), alpha));
        _mm_storeu_si128(o + 1,
                         _mm_or_si128(_mm_shuffle_epi8(_mm_alignr_epi8(b, a, 12), spread), alpha));
        _mm_storeu_si128(o + 2,
                         _mm_or_si128(_mm_shuffle_epi8(_mm_alignr_epi8(c, b, 8), spread), alpha));
        _mm_storeu_si128(o + 3,
                         _mm_or_si128(_mm_shuffle_epi8(_mm_srli_si128(c, 4), spread), alpha));
    }
    plainRow(out, in, count - i);
}

// Eight pixels a step: two overlapping 16-byte loads put twelve bytes in
// each half of a 32-byte register, and one shuffle spreads both halves.
// The second load reads four bytes past the eighth pixel, which the loop
// keeps inside the run.
__attribute__((target("avx2"))) void widerRow(std::uint8_t* out, const std::uint8_t* in,
                                              std::int32_t count) {
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0,
                                            1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m256i alpha = _mm256_set1_epi32(std::int32_t(opaque));
    // A store that straddles two cache lines costs more than two that do
    // not: the first few pixels go one by one until the output is aligned.
    const auto misaligned = std::int32_t((32 - (reinterpret_cast<std::uintptr_t>(out) & 31)) & 31);
    std::int32_t i = std::min(count, misaligned / 4);
    plainRow(out, in, i);
    in += std::ptrdiff_t(i) * 3;
    out += std::ptrdiff_t(i) * 4;
    for (; i + 10 <= count; i += 8, in += 24, out += 32) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 12));
        const __m256i both = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                            _mm256_or_si256(_mm256_shuffle_epi8(both, spread), alpha));
    }
    plainRow(out, in, count - i);
}

// Sixteen pixels a step with one byte permutation across a 64-byte
// register: a masked load takes exactly their 48 bytes, so nothing past the
// run is read. (GCC 12 takes the permutation's own undefined placeholder
// for an uninitialised value.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void widestRow(std::uint8_t* out,
                                                                      const std::uint8_t* in,
                                                                      std::int32_t count) {
    alignas(64) static constexpr std::uint8_t order[64] = {
        0,  1,  2,  0,  3,  4,  5,  0,  6,  7,  8,  0,  9,  10, 11, 0,  12, 13, 14, 0,  15, 16,
        17, 0,  18, 19, 20, 0,  21, 22, 23, 0,  24, 25, 26, 0,  27, 28, 29, 0,  30, 31, 32, 0,
        33, 34, 35, 0,  36, 37, 38, 0,  39, 40, 41, 0,  42, 43, 44, 0,  45, 46, 47, 0};
    const __m512i spread = _mm512_load_si512(order);
    const __m512i alpha = _mm512_set1_epi32(std::int32_t(opaque));
    constexpr __mmask64 twelveBytesFour = 0xFFFFFFFFFFFFull;
    std::int32_t i = 0;
    for (; i + 16 <= count; i += 16, in += 48, out += 64) {
        const __m512i pixels = _mm512_maskz_loadu_epi8(twelveBytesFour, in);
        _mm512_storeu_si512(out, _mm512_or_si512(_mm512_permutexvar_epi8(spread, pixels), alpha));
    }
    plainRow(out, in, count - i);
}
#pragma GCC diagnostic pop

XrgbCopies widestAllowed = XrgbCopies::Widest;

using RowCopy = void (*)(std::uint8_t*, const std::uint8_t*, std::int32_t);

// The widest copy both the processor and the limit allow.
RowCopy widestRow() {
    static const bool avx512 = __builtin_cpu_supports("avx512f") &&
                               __builtin_cpu_supports("avx512bw") &&
                               __builtin_cpu_supports("avx512vbmi");
    static const bool avx2 = __builtin_cpu_supports("avx2");
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (avx512 && widestAllowed == XrgbCopies::Widest) return widestRow;
    if (avx2 && (widestAllowed == XrgbCopies::Widest || widestAllowed == XrgbCopies::ThirtyTwo))
        return widerRow;
    if (ssse3 && widestAllowed != XrgbCopies::Plain) return wideRow;
    return plainRow;
}

#endif

}  // namespace

void limitXrgbCopies(XrgbCopies widest) {
#ifdef MIRABO_XRGB_WIDE
    widestAllowed = widest;
#else
    (void)widest;
#endif
}

void copyAsXrgb(const platform::Bitmap& source, const RECT& area, std::uint8_t* destination,
                std::ptrdiff_t destinationStride) {
    const std::int32_t count = area.right - area.left;
    if (count <= 0 || area.bottom <= area.top) return;
#ifdef MIRABO_XRGB_WIDE
    const RowCopy row = widestRow();
#else
    const auto row = plainRow;
#endif
    for (std::int32_t y = area.top; y < area.bottom; ++y, destination += destinationStride)
        row(destination, source.row(y) + std::ptrdiff_t(area.left) * 3, count);
}
