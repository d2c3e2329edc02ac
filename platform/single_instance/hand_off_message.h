#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// What travels between a second start and the running instance over the
// instance socket: a fixed header (four magic bytes, then the text's length
// as four little-endian bytes) and the command line as UTF-8. The running
// instance answers with one byte once the command line has been dealt with.
namespace hand_off {

constexpr char magic[4] = {'M', 'i', 'r', '1'};
constexpr std::size_t headerBytes = 8;
// Far more than any real command line (a path is at most 4096 bytes here),
// small enough that nobody can make the running instance hold much memory.
constexpr std::size_t maxTextBytes = 16384;

constexpr char accepted = 'A';
constexpr char refused = 'R';

// The header for a text of `length` bytes.
std::string header(std::size_t length);
// The length a header announces, or false for a header that is not ours.
bool parseHeader(const char* bytes, std::uint32_t& length);

// True for well-formed UTF-8 (no overlong forms, surrogates or code points
// past U+10FFFF) without NUL characters: the program keeps command lines as
// zero-terminated text, so a NUL would cut it short unnoticed.
bool isValidText(std::string_view text);

}  // namespace hand_off

}  // namespace platform
