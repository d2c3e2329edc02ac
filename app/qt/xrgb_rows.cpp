#include "app/qt/xrgb_rows.h"

#include <cstring>

#include "platform/gdi/bitmap.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define MIRABO_XRGB_SSSE3 1
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

#ifdef MIRABO_XRGB_SSSE3

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

bool wideCopiesEnabled = true;

bool haveSsse3() {
    static const bool have = __builtin_cpu_supports("ssse3");
    return have && wideCopiesEnabled;
}

#endif

}  // namespace

void useWideXrgbCopies(bool enabled) {
#ifdef MIRABO_XRGB_SSSE3
    wideCopiesEnabled = enabled;
#else
    (void)enabled;
#endif
}

void copyAsXrgb(const platform::Bitmap& source, const RECT& area, std::uint8_t* destination,
                std::ptrdiff_t destinationStride) {
    const std::int32_t count = area.right - area.left;
    if (count <= 0 || area.bottom <= area.top) return;
    void (*row)(std::uint8_t*, const std::uint8_t*, std::int32_t) = plainRow;
#ifdef MIRABO_XRGB_SSSE3
    if (haveSsse3()) row = wideRow;
#endif
    for (std::int32_t y = area.top; y < area.bottom; ++y, destination += destinationStride)
        row(destination, source.row(y) + std::ptrdiff_t(area.left) * 3, count);
}
