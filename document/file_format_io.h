#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/files/file.h"

// The file formats store their headers as little-endian records and read and
// write them as whole blocks, which only works on a little-endian machine.
static_assert(std::endian::native == std::endian::little,
              "file headers are read and written as little-endian blocks");

namespace file_format {

// True when all `bytes` arrived; a short read at the end of the file counts
// as a failure like a read error does.
inline bool readExactly(platform::File& file, void* buffer, std::size_t bytes) {
    std::size_t got = 0;
    return file.read(buffer, bytes, got) && got == bytes;
}

// Where a reader takes its bytes from: an open file, or a block of memory
// (the fuzzers feed the readers that way, without a file per input).
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `bytes` from the current position, fewer only at the end;
    // `got` says how many arrived. False on a read error.
    virtual bool read(void* buffer, std::size_t bytes, std::size_t& got) = 0;
    // Moves to `offset` bytes from the start; false when that is outside the
    // source.
    virtual bool seek(std::int64_t offset) = 0;
    // The length of the whole source in bytes, or -1 when it is unknown.
    virtual std::int64_t size() const = 0;
};

class FileSource final : public ByteSource {
  public:
    explicit FileSource(platform::File& file) : file_(file), size_(file.size()) {}
    bool read(void* buffer, std::size_t bytes, std::size_t& got) override {
        return file_.read(buffer, bytes, got);
    }
    bool seek(std::int64_t offset) override {
        return offset >= 0 && offset <= size_ && file_.seek(offset, platform::SeekOrigin::Begin);
    }
    std::int64_t size() const override { return size_; }

  private:
    platform::File& file_;
    std::int64_t size_;
};

class MemorySource final : public ByteSource {
  public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool read(void* buffer, std::size_t bytes, std::size_t& got) override {
        got = std::min(bytes, size_ - position_);
        if (got > 0) std::memcpy(buffer, data_ + position_, got);
        position_ += got;
        return true;
    }
    bool seek(std::int64_t offset) override {
        if (offset < 0 || std::uint64_t(offset) > size_) return false;
        position_ = std::size_t(offset);
        return true;
    }
    std::int64_t size() const override { return std::int64_t(size_); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

inline bool readExactly(ByteSource& source, void* buffer, std::size_t bytes) {
    std::size_t got = 0;
    return source.read(buffer, bytes, got) && got == bytes;
}

// The largest side of an imported picture: what the platform's bitmaps take.
// Everything pictures and files may hold is far below this, so sizes and
// offsets computed from it fit comfortably in 64 bits.
constexpr std::int32_t maxImportDimension = 32768;

// The most memory an imported picture's pixels may take. Photographs of
// about 89 million pixels fit; a file that claims more is refused before
// anything is allocated for it.
constexpr std::int64_t maxImportBytes = std::int64_t(256) << 20;

}  // namespace file_format
