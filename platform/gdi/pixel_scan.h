#pragma once

#include <cstdint>

namespace platform {

// Searches along a run of 24-bit pixels (blue, green, red) for pixels whose
// colour, with the three low bits of every channel ignored, is or is not
// `key` (a colour 0x00BBGGRR whose channels are already masked with 0xF8).
// They use the widest comparisons the processor offers; the flood fill
// spends nearly all its time in them.

// Index of the first pixel of [0, count) that matches, or count.
std::int32_t findMatchingPixel(const std::uint8_t* pixels, std::int32_t count, std::uint32_t key);
// Index of the first pixel of [0, count) that does not match, or count.
std::int32_t findDifferentPixel(const std::uint8_t* pixels, std::int32_t count, std::uint32_t key);
// Index of the last pixel of [0, count) that does not match, or -1.
std::int32_t findLastDifferentPixel(const std::uint8_t* pixels, std::int32_t count,
                                    std::uint32_t key);
// Index of the first i of [0, count) where pixel i of `a` or of `b` matches,
// or count. Either run may be null, standing for a run that never matches.
std::int32_t findMatchingPixelInEither(const std::uint8_t* a, const std::uint8_t* b,
                                       std::int32_t count, std::uint32_t key);

// Whether the wide comparisons are used where the processor has them (the
// default). Tests turn them off to check the plain loops give the same answers.
void useWidePixelScans(bool enabled);

}  // namespace platform
