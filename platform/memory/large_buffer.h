#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Memory for pictures and other large buffers. Allocation never throws: a
// request that cannot be met gives an empty buffer, which callers report with
// the memory-error message. Tests can make allocations fail on purpose
// through AllocationLimit below.
class LargeBuffer {
  public:
    // What a new buffer holds: whatever the memory held, or zeros. Zeroed
    // memory comes fresh from the system when the buffer is large, so pages
    // are neither cleared twice nor touched before they are used; zeroed
    // buffers of a megabyte or more are placed for huge pages
    // (huge_page_mapping.h).
    enum class Contents { Undefined, Zeroed };

    LargeBuffer() = default;
    // Tries to allocate; check empty() afterwards.
    explicit LargeBuffer(std::size_t bytes, Contents contents = Contents::Undefined);
    ~LargeBuffer();

    LargeBuffer(LargeBuffer&& other) noexcept;
    LargeBuffer& operator=(LargeBuffer&& other) noexcept;
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;

    bool empty() const { return data_ == nullptr; }
    std::size_t size() const { return size_; }
    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }

    void reset();

  private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;  // straight from the system rather than the allocator
};

// Makes large allocations fail while it is alive: every request above
// `maxBytes`, and every request after the first `allowedCount` ones. Limits
// nest; the innermost wins. Only for tests.
class AllocationLimit {
  public:
    static constexpr std::size_t unlimited = static_cast<std::size_t>(-1);
    explicit AllocationLimit(std::size_t maxBytes, std::size_t allowedCount = unlimited);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

    // Requests refused while this limit was in force.
    std::size_t refusedCount() const { return refused_; }

  private:
    friend class LargeBuffer;
    std::size_t maxBytes_;
    std::size_t allowedCount_;
    std::size_t granted_ = 0;
    std::size_t refused_ = 0;
    AllocationLimit* outer_;
};

}  // namespace platform
