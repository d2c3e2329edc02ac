#include "platform/text/utf.h"

#include <cstdint>

namespace platform {

namespace {

constexpr char32_t replacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += char16_t(c);
    } else {
        c -= 0x10000;
        out += char16_t(0xD800 + (c >> 10));
        out += char16_t(0xDC00 + (c & 0x3FF));
    }
}

// Decodes UTF-8; each byte that does not start a valid sequence, or belongs
// to one that breaks off, is handed to `invalid` and decoding goes on with
// the next byte.
template <typename Invalid>
std::u16string decodeUtf8(std::string_view text, Invalid invalid) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = std::uint8_t(text[i]);
        const int extra = lead < 0x80                   ? 0
                          : lead >= 0xC2 && lead < 0xE0 ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : -1;
        if (extra < 0 || i + std::size_t(extra) >= text.size() + (extra == 0 ? 1 : 0)) {
            invalid(out, lead);
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = std::uint8_t(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            c = c << 6 | (next & 0x3F);
        }
        const bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
        if (!valid || overlong || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
            invalid(out, lead);
            ++i;
            continue;
        }
        appendUtf16(out, c);
        i += std::size_t(extra) + 1;
    }
    return out;
}

// Encodes UTF-16 as UTF-8; each unpaired surrogate goes to `unpaired`, which
// says whether to go on.
template <typename Unpaired>
bool encodeUtf8(std::u16string_view text, std::string& out, Unpaired unpaired) {
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            if (!unpaired(out, char16_t(c))) return false;
            continue;
        }
        appendUtf8(out, c);
    }
    return true;
}

// A byte of a system name that is not UTF-8 is carried as this unpaired low
// surrogate plus the byte (0x80 to 0xFF; bytes below 0x80 are always valid).
constexpr char16_t escapedByteBase = 0xDC00;

}  // namespace

std::string toUtf8(std::u16string_view text) {
    std::string out;
    encodeUtf8(text, out, [](std::string& o, char16_t) {
        appendUtf8(o, replacement);
        return true;
    });
    return out;
}

std::u16string toUtf16(std::string_view text) {
    return decodeUtf8(text, [](std::u16string& o, std::uint8_t) { appendUtf16(o, replacement); });
}

std::u16string fromSystemName(std::string_view name) {
    return decodeUtf8(
        name, [](std::u16string& o, std::uint8_t byte) { o += char16_t(escapedByteBase + byte); });
}

bool toSystemName(std::u16string_view name, std::string& bytes) {
    const bool encoded = encodeUtf8(name, bytes, [](std::string& o, char16_t c) {
        if (c < escapedByteBase + 0x80 || c > escapedByteBase + 0xFF) return false;
        o += char(c - escapedByteBase);
        return true;
    });
    // Escaped bytes put side by side can spell valid UTF-8 (U+DCC3 U+DCA9
    // would give the bytes of U+00E9), which would name another file than
    // the one the name stands for: only a name that reads back the same maps.
    if (encoded && fromSystemName(bytes) == name) return true;
    bytes.clear();
    return false;
}

std::size_t boundedLength(const char16_t* text, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && text[n] != 0)
        ++n;
    return n;
}

}  // namespace platform
