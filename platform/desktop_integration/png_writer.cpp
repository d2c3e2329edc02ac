#include "platform/desktop_integration/png_writer.h"

#include <algorithm>
#include <array>

namespace platform {

namespace png {

namespace {

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> crcEntries = crcTable();

}  // namespace

std::uint32_t crc32(const std::uint8_t* data, std::size_t bytes, std::uint32_t crc) {
    crc = ~crc;
    for (std::size_t i = 0; i < bytes; ++i)
        crc = crcEntries[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t adler32(const std::uint8_t* data, std::size_t bytes) {
    constexpr std::uint32_t modulus = 65521;
    std::uint32_t a = 1, b = 0;
    while (bytes > 0) {
        // 5552 bytes is the most that cannot overflow 32 bits before the modulo.
        const std::size_t run = std::min<std::size_t>(bytes, 5552);
        for (std::size_t i = 0; i < run; ++i) {
            a += data[i];
            b += a;
        }
        a %= modulus;
        b %= modulus;
        data += run;
        bytes -= run;
    }
    return b << 16 | a;
}

}  // namespace png

namespace {

void putBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xFF);
}

void putChunk(std::string& out, const char type[4], const std::string& data) {
    putBigEndian(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(out.data() + start);
    putBigEndian(out, png::crc32(bytes, out.size() - start));
}

// A zlib stream of stored deflate blocks.
std::string storedZlib(const std::string& raw) {
    std::string out;
    out += char(0x78);  // deflate, 32 KiB window
    out += char(0x01);  // no dictionary; makes the header a multiple of 31
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - offset, 65535);
        const bool last = offset + length == raw.size();
        out += char(last ? 1 : 0);  // final flag, block type 0 (stored)
        out += char(length & 0xFF);
        out += char(length >> 8);
        out += char(~length & 0xFF);
        out += char((~length >> 8) & 0xFF);
        out.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    putBigEndian(out, png::adler32(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size()));
    return out;
}

}  // namespace

std::string encodePng(const IconImage& icon) {
    if (!icon.valid()) return std::string();
    const std::size_t rowBytes = std::size_t(icon.size) * 4;

    std::string header;
    putBigEndian(header, std::uint32_t(icon.size));
    putBigEndian(header, std::uint32_t(icon.size));
    header += char(8);  // bits per channel
    header += char(6);  // red, green, blue, alpha
    header += char(0);  // deflate
    header += char(0);  // adaptive filtering (every row says "none")
    header += char(0);  // not interlaced

    std::string raw;
    raw.reserve((rowBytes + 1) * std::size_t(icon.size));
    for (std::int32_t y = 0; y < icon.size; ++y) {
        raw += char(0);  // filter: none
        raw.append(reinterpret_cast<const char*>(icon.rgba.data()) + std::size_t(y) * rowBytes,
                   rowBytes);
    }

    std::string out("\x89PNG\r\n\x1A\n", 8);
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", storedZlib(raw));
    putChunk(out, "IEND", std::string());
    return out;
}

}  // namespace platform
