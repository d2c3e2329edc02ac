#include "platform/memory/large_buffer.h"

#include <cstdlib>
#include <utility>

#include "platform/memory/huge_page_mapping.h"

namespace platform {

namespace {
// The user-interface thread is the only one that allocates pictures, so the
// innermost limit is a plain pointer.
AllocationLimit* activeLimit = nullptr;
}  // namespace

AllocationLimit::AllocationLimit(std::size_t maxBytes, std::size_t allowedCount)
    : maxBytes_(maxBytes), allowedCount_(allowedCount), outer_(activeLimit) {
    activeLimit = this;
}

AllocationLimit::~AllocationLimit() {
    activeLimit = outer_;
}

LargeBuffer::LargeBuffer(std::size_t bytes, Contents contents) {
    if (AllocationLimit* limit = activeLimit) {
        if (bytes > limit->maxBytes_ || limit->granted_ >= limit->allowedCount_) {
            ++limit->refused_;
            return;
        }
        ++limit->granted_;
    }
    void* block = nullptr;
    // Memory the system hands out is zeroed anyway; a buffer whose contents
    // do not matter is better served by the allocator, which can hand back
    // memory just freed without the system clearing it again.
    if (contents == Contents::Zeroed && largeBuffersUseHugePages() && worthHugePages(bytes)) {
        block = mapHugePages(bytes);
        mapped_ = block != nullptr;
    }
    // A zero-byte request still gives a distinct block, so "empty" only ever
    // means "failed".
    const std::size_t asked = bytes == 0 ? 1 : bytes;
    if (!block) block = contents == Contents::Zeroed ? std::calloc(1, asked) : std::malloc(asked);
    data_ = static_cast<std::uint8_t*>(block);
    size_ = data_ ? bytes : 0;
}

LargeBuffer::~LargeBuffer() {
    reset();
}

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false)) {}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept {
    if (this != &other) {
        reset();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, false);
    }
    return *this;
}

void LargeBuffer::reset() {
    if (mapped_)
        unmapHugePages(data_, size_);
    else
        std::free(data_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}

}  // namespace platform
