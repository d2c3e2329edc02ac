#include "platform/memory/large_buffer.h"

#include <cstdlib>
#include <utility>

namespace platform {

namespace {
// The user-interface thread is the only one that allocates pictures, so the
// innermost limit is a plain pointer.
AllocationLimit* activeLimit = nullptr;
}  // namespace

void* allocateLarge(std::size_t bytes, LargeBuffer::Contents contents) noexcept {
    if (AllocationLimit* limit = activeLimit) {
        if (bytes > limit->maxBytes_ || limit->granted_ >= limit->allowedCount_) {
            ++limit->refused_;
            return nullptr;
        }
        ++limit->granted_;
    }
    // A zero-byte request still gives a distinct block, so "empty" only ever
    // means "failed".
    if (bytes == 0) bytes = 1;
    return contents == LargeBuffer::Contents::Zeroed ? std::calloc(1, bytes) : std::malloc(bytes);
}

void freeLarge(void* block) noexcept {
    std::free(block);
}

AllocationLimit::AllocationLimit(std::size_t maxBytes, std::size_t allowedCount)
    : maxBytes_(maxBytes), allowedCount_(allowedCount), outer_(activeLimit) {
    activeLimit = this;
}

AllocationLimit::~AllocationLimit() {
    activeLimit = outer_;
}

LargeBuffer::LargeBuffer(std::size_t bytes, Contents contents)
    : data_(static_cast<std::uint8_t*>(allocateLarge(bytes, contents))), size_(data_ ? bytes : 0) {}

LargeBuffer::~LargeBuffer() {
    reset();
}

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept {
    if (this != &other) {
        reset();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void LargeBuffer::reset() {
    freeLarge(data_);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace platform
