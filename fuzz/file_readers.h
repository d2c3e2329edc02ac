#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Feeds arbitrary bytes to every file reader of the program, as a file in
// `folder`: sketch documents, bitmaps and JPEG files, and the header
// readers of `mirabo-cli info`. Whatever the bytes, a reader must refuse or
// read, never crash, and leave the canvas usable.
void feedFileReaders(const std::string& folder, const std::uint8_t* data, std::size_t size);
