#pragma once

#include <string>
#include <string_view>

namespace platform {

// The program keeps its strings (paths, text, face names) in UTF-16; the
// operating system and the font libraries want UTF-8. Unpaired surrogates
// become U+FFFD rather than being dropped, so a conversion never shortens a
// name silently.
std::string toUtf8(std::u16string_view text);
std::u16string toUtf16(std::string_view text);

// File names are bytes to the system, usually but not always UTF-8, and a
// name must reach the system again exactly as it came, or another file is
// opened. `fromSystemName` decodes valid UTF-8 as `toUtf16` does and carries
// every other byte b (0x80 to 0xFF) as the unpaired low surrogate U+DC00 + b,
// which no decoded text holds. `toSystemName` gives those bytes back, so
// bytes -> name -> bytes is exact. It fails, leaving `bytes` empty, for a
// name with any other unpaired surrogate, or with escaped bytes that would
// read back as different text: such a name stands for no file.
std::u16string fromSystemName(std::string_view name);
bool toSystemName(std::u16string_view name, std::string& bytes);

// Length of a zero-terminated UTF-16 string, at most `capacity` units.
std::size_t boundedLength(const char16_t* text, std::size_t capacity);

}  // namespace platform
