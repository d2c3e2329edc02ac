#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/files/file.h"

// Why a picture file could not be read. The program's own dialogs show one
// message for every failure, as they always have; tools that work on files
// (mirabo-cli) tell the user which of these it was.
enum class ReadFailure {
    None,
    Missing,        // no file of that name
    NoPermission,   // the file, or a folder on the way, may not be read
    NotOpened,      // it exists but cannot be opened: a folder, or held by another program
    NotThisFormat,  // it does not start as a file of this kind does
    Unsupported,    // a variant of the format that is not read; the detail names it
    Damaged,        // cut short or corrupt; the detail says what was found
    TooLarge,       // its pixels would need more memory than an import may take
    OutOfMemory,    // memory ran out on the way
};

struct ReadProblem {
    ReadFailure failure = ReadFailure::None;
    std::string detail;
};

// Records a failure where the caller asked for it; always false, so that a
// reader can `return refuse(problem, ...)`.
inline bool refuse(ReadProblem* problem, ReadFailure failure, std::string detail = {}) {
    if (problem && problem->failure == ReadFailure::None) {
        problem->failure = failure;
        problem->detail = std::move(detail);
    }
    return false;
}

// A picture's size as the messages give it: "640 x 480 pixels".
inline std::string sizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

// Tells why a file that could not be opened for reading was not: missing,
// not permitted, or there but not to be had (a folder, a special file, or
// one that another program holds).
ReadFailure whyNotOpened(std::u16string_view path);

// Opens a picture file for reading; on failure records why (a null path
// counts as missing) and gives null.
std::unique_ptr<platform::File> openForReading(const char16_t* path, platform::FileSharing sharing,
                                               ReadProblem* problem);
