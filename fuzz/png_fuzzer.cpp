// The libFuzzer entry point (clang's -fsanitize=fuzzer) for the PNG reader;
// every input goes to it from memory.

#include <cstddef>
#include <cstdint>

#include "fuzz/file_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    feedPngReader(data, size);
    return 0;
}
