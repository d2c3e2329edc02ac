#pragma once

// PNG files made in memory with the PNG library, for the tests and the
// fuzzing seeds: any colour type, depth and interlacing, with pixels whose
// decoded colours the tests can tell in advance.

#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/desktop_integration/png_writer.h"

namespace png_files {

struct PngOptions {
    int width = 13;
    int height = 11;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    int alpha = 255;  // of every pixel, for the types with alpha; 0 to 255
};

// The 8-bit value every channel's sample stands for, at a pixel.
inline int sampleAt(int x, int y, int channel, int bitDepth) {
    const int levels = bitDepth >= 8 ? 256 : 1 << bitDepth;
    return (x * 7 + y * 13 + channel * 5) % levels * (255 / (levels - 1));
}

// The colour a decoder must show at (x, y), as red, green, blue, before any
// transparency: grey pictures show the red sample on every channel, palette
// pictures the palette entry their index picks (entry i = (i, 255 - i, i / 2)
// on the index's 8-bit scale).
inline void colourAt(const PngOptions& o, int x, int y, int rgb[3]) {
    if (o.colourType == PNG_COLOR_TYPE_PALETTE) {
        const int i = sampleAt(x, y, 0, o.bitDepth) / (255 / ((1 << o.bitDepth) - 1));
        rgb[0] = i;
        rgb[1] = 255 - i;
        rgb[2] = i / 2;
        return;
    }
    const bool grey = !(o.colourType & PNG_COLOR_MASK_COLOR);
    for (int c = 0; c < 3; ++c)
        rgb[c] = sampleAt(x, y, grey ? 0 : c, o.bitDepth);
}

inline void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

inline std::string makePng(const PngOptions& o) {
    std::string file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &file, appendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(o.width), png_uint_32(o.height), o.bitDepth, o.colourType,
                 o.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (o.colourType == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> palette(std::size_t(1) << o.bitDepth);
        for (std::size_t i = 0; i < palette.size(); ++i)
            palette[i] = png_color{png_byte(i), png_byte(255 - i), png_byte(i / 2)};
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    }
    png_write_info(png, info);
    if (o.bitDepth < 8) png_set_packing(png);
    if (o.bitDepth == 16) png_set_swap(png);  // rows below are little-endian
    const int channels = png_get_channels(png, info);
    const int bytes = o.bitDepth == 16 ? 2 : 1;
    const int alphaChannel = o.colourType & PNG_COLOR_MASK_ALPHA ? channels - 1 : -1;
    std::vector<std::vector<png_byte>> rows(std::size_t(o.height));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < o.height; ++y) {
        std::vector<png_byte>& row = rows[std::size_t(y)];
        row.resize(std::size_t(o.width * channels * bytes));
        for (int x = 0; x < o.width; ++x)
            for (int c = 0; c < channels; ++c) {
                int value = c == alphaChannel ? o.alpha : sampleAt(x, y, c, o.bitDepth);
                if (o.bitDepth < 8) value /= 255 / ((1 << o.bitDepth) - 1);
                if (bytes == 2) value *= 257;
                std::memcpy(&row[std::size_t((x * channels + c) * bytes)], &value, bytes);
            }
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

// Where a chunk's data starts in a PNG file, for damaging it on purpose.
inline std::size_t chunkData(const std::string& file, const char* type) {
    return file.find(type) + 4;
}

// The file with its header claiming another size, its checksum made good.
inline std::string claimingSize(std::string file, std::uint32_t width, std::uint32_t height) {
    const std::size_t at = chunkData(file, "IHDR");
    for (int i = 0; i < 4; ++i) {
        file[at + std::size_t(i)] = char(width >> (24 - 8 * i));
        file[at + 4 + std::size_t(i)] = char(height >> (24 - 8 * i));
    }
    const std::uint32_t crc =
        platform::png::crc32(reinterpret_cast<const std::uint8_t*>(file.data()) + at - 4, 4 + 13);
    for (int i = 0; i < 4; ++i)
        file[at + 13 + std::size_t(i)] = char(crc >> (24 - 8 * i));
    return file;
}

}  // namespace png_files
