#include "platform/single_instance/hand_off_message.h"

#include <cstring>

namespace platform::hand_off {

std::string header(std::size_t length) {
    std::string bytes(magic, sizeof magic);
    for (int shift = 0; shift < 32; shift += 8)
        bytes += char((length >> shift) & 0xFF);
    return bytes;
}

bool parseHeader(const char* bytes, std::uint32_t& length) {
    if (std::memcmp(bytes, magic, sizeof magic) != 0) return false;
    length = 0;
    for (int i = 0; i < 4; ++i)
        length |= std::uint32_t(std::uint8_t(bytes[4 + i])) << (8 * i);
    return true;
}

bool isValidText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = std::uint8_t(text[i]);
        if (lead == 0) return false;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const int extra = lead >= 0xC2 && lead < 0xE0   ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : -1;
        if (extra < 0 || text.size() - i <= std::size_t(extra)) return false;
        char32_t c = lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = std::uint8_t(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = c << 6 | (next & 0x3F);
        }
        const bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
        if (overlong || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return false;
        i += std::size_t(extra) + 1;
    }
    return true;
}

}  // namespace platform::hand_off
