#pragma once

#include <cstddef>
#include <cstdint>

// Arbitrary bytes fed to the program's file readers, straight from memory:
// one entry per format, for the fuzzers, and one that feeds them all, for
// the deterministic pass. Whatever the bytes, a reader must refuse or read,
// never crash, never allocate for a picture the bytes cannot hold, and leave
// the canvas usable.
void feedSketchReader(const std::uint8_t* data, std::size_t size);
void feedBitmapReader(const std::uint8_t* data, std::size_t size);
void feedJpegReader(const std::uint8_t* data, std::size_t size);
void feedPngReader(const std::uint8_t* data, std::size_t size);
void feedFileReaders(const std::uint8_t* data, std::size_t size);
