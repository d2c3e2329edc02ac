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

// Length of a zero-terminated UTF-16 string, at most `capacity` units.
std::size_t boundedLength(const char16_t* text, std::size_t capacity);

}  // namespace platform
