// The entry point for libFuzzer (clang's -fsanitize=fuzzer): every input
// the fuzzer makes up goes through the file readers.

#include <cstdlib>
#include <string>

#include "fuzz/file_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp");
    }();
    feedFileReaders(folder, data, size);
    return 0;
}
