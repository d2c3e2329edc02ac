#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/files/atomic_file_writer.h"

class Canvas;

// What the picture exports share: the rectangle of ink they are cropped to,
// and writes gathered into blocks.
namespace file_format {

// The rectangle of the live picture that holds every pixel other than pure
// white, in memory rows (bottom-up) and columns.
struct InkBounds {
    std::int32_t firstRow = -1;
    std::int32_t lastRow = -1;
    std::int32_t left = 0;
    std::int32_t right = -1;
    bool found() const { return firstRow >= 0; }
    std::int32_t width() const { return right - left + 1; }
    std::int32_t height() const { return lastRow - firstRow + 1; }
};

InkBounds findInk(const Canvas& canvas);

// Collects small writes (a row's pixels, then its padding; a chunk's
// length, data and checksum) into blocks, so a file costs a few system
// calls rather than several per row.
class BlockWriter {
  public:
    explicit BlockWriter(platform::AtomicFileWriter& writer) : writer_(writer) {}

    bool append(const void* data, std::size_t bytes) {
        if (used_ + bytes > sizeof block_ && !flush()) return false;
        if (bytes >= sizeof block_) return writer_.write(data, bytes);
        std::memcpy(block_ + used_, data, bytes);
        used_ += bytes;
        return true;
    }
    bool flush() {
        const std::size_t bytes = std::exchange(used_, 0);
        return bytes == 0 || writer_.write(block_, bytes);
    }

  private:
    platform::AtomicFileWriter& writer_;
    std::uint8_t block_[32768];
    std::size_t used_ = 0;
};

}  // namespace file_format
