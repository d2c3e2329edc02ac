#include "platform/memory/huge_page_mapping.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstring>
#include <utility>

namespace platform {

namespace {

constexpr std::size_t hugePage = std::size_t(2) << 20;
constexpr std::size_t smallestWorthIt = std::size_t(1) << 20;
constexpr std::size_t smallPage = 4096;

#if defined(__SANITIZE_ADDRESS__)
bool useHugePages = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
bool useHugePages = false;
#else
bool useHugePages = true;
#endif
#else
bool useHugePages = true;
#endif

std::uintptr_t roundUp(std::uintptr_t value, std::size_t step) {
    return (value + step - 1) & ~std::uintptr_t(step - 1);
}

// Mappings given back are kept for the next request of the same size, as an
// allocator keeps freed memory: a picture made again (every import, a new
// drawing of the same size) then costs clearing pages already there rather
// than new pages from the system. Pictures are made on the user-interface
// thread only.
struct KeptMapping {
    void* block = nullptr;
    std::size_t size = 0;
};
constexpr std::size_t mostKept = 4;
constexpr std::size_t mostKeptBytes = std::size_t(32) << 20;
KeptMapping kept[mostKept];

void* takeKept(std::size_t size) {
    for (KeptMapping& mapping : kept) {
        if (mapping.block && mapping.size == size) return std::exchange(mapping.block, nullptr);
    }
    return nullptr;
}

bool keep(void* block, std::size_t size) {
    std::size_t keptBytes = 0;
    for (const KeptMapping& mapping : kept)
        keptBytes += mapping.block ? mapping.size : 0;
    if (keptBytes + size > mostKeptBytes) return false;
    for (KeptMapping& mapping : kept) {
        if (!mapping.block) {
            mapping = {block, size};
            return true;
        }
    }
    return false;
}

}  // namespace

bool worthHugePages(std::size_t bytes) {
    return bytes >= smallestWorthIt;
}

std::size_t hugePageMappingSize(std::size_t bytes) {
    const std::size_t whole = bytes & ~(hugePage - 1);
    const std::size_t rest = bytes - whole;
    if (rest >= hugePage / 2) return whole + hugePage;
    return whole + roundUp(rest, smallPage);
}

void* mapHugePages(std::size_t bytes) noexcept {
    const std::size_t size = hugePageMappingSize(bytes);
    if (size < bytes || size > SIZE_MAX - hugePage) return nullptr;
    if (void* again = takeKept(size)) {
        std::memset(again, 0, bytes);
        return again;
    }
    // Asked for with a huge page to spare, then trimmed to the boundary.
    void* raw =
        mmap(nullptr, size + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const std::uintptr_t start = std::uintptr_t(raw);
    const std::uintptr_t aligned = roundUp(start, hugePage);
    const std::uintptr_t end = start + size + hugePage;
    if (aligned > start) munmap(raw, aligned - start);
    if (end > aligned + size) munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
    // Only advice: where the system keeps huge pages for itself, the memory
    // simply comes in small pages.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void unmapHugePages(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    const std::size_t size = hugePageMappingSize(bytes);
    if (!keep(block, size)) munmap(block, size);
}

void releaseKeptMappings() noexcept {
    for (KeptMapping& mapping : kept) {
        if (mapping.block) munmap(std::exchange(mapping.block, nullptr), mapping.size);
    }
}

bool largeBuffersUseHugePages() {
    return useHugePages;
}

void setLargeBuffersUseHugePages(bool use) {
    useHugePages = use;
}

}  // namespace platform
