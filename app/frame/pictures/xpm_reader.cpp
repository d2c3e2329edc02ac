#include "app/frame/pictures/xpm_reader.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_info_header.h"

namespace {

// Far larger than any picture of the program; keeps the lookup table small.
constexpr int maxSide = 1024;
constexpr int maxCharsPerPixel = 2;

// A colour line's colour: 0x00RRGGBB order is irrelevant here, so it is kept
// as the three bytes a 24-bit row stores, or transparent.
struct XpmColour {
    bool transparent = true;
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
};

bool readInt(std::string_view& text, int& value) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) return false;
    long long result = 0;
    while (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front()))) {
        result = result * 10 + (text.front() - '0');
        if (result > 1000000) return false;
        text.remove_prefix(1);
    }
    value = int(result);
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// "#RGB" and "#RRGGBB" (each channel's leading digits when wider), "None"
// and the few names a hand-written picture uses.
bool parseColour(std::string_view text, XpmColour& colour) {
    colour = XpmColour{};
    if (equalsIgnoringCase(text, "None")) return true;
    struct Named {
        const char* name;
        std::uint8_t red, green, blue;
    };
    static constexpr Named names[] = {{"black", 0, 0, 0},      {"white", 255, 255, 255},
                                      {"red", 255, 0, 0},      {"green", 0, 255, 0},
                                      {"blue", 0, 0, 255},     {"yellow", 255, 255, 0},
                                      {"gray", 190, 190, 190}, {"grey", 190, 190, 190}};
    for (const Named& named : names) {
        if (equalsIgnoringCase(text, named.name)) {
            colour = XpmColour{false, named.blue, named.green, named.red};
            return true;
        }
    }
    if (text.size() < 4 || text.front() != '#' || (text.size() - 1) % 3 != 0) return false;
    const std::size_t digits = (text.size() - 1) / 3;
    if (digits > 4) return false;
    int channels[3];
    for (int c = 0; c < 3; ++c) {
        int value = 0;
        for (std::size_t d = 0; d < digits; ++d) {
            const int digit = hexDigit(text[1 + c * digits + d]);
            if (digit < 0) return false;
            value = value * 16 + digit;
        }
        // Scale to 8 bits: "#F00" is full red, "#FFFF00000000" too.
        if (digits == 1) value *= 17;
        if (digits > 2) value >>= 4 * (digits - 2);
        channels[c] = value;
    }
    colour = XpmColour{false, std::uint8_t(channels[2]), std::uint8_t(channels[1]),
                       std::uint8_t(channels[0])};
    return true;
}

// Keys after the pixel characters come in pairs; the colour key "c" is the
// one a picture on a colour screen uses, "m" (monochrome) the fallback.
bool parseColourLine(std::string_view text, XpmColour& colour) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        std::size_t end = 0;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t')
            ++end;
        if (end > 0) words.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    const std::string_view* chosen = nullptr;
    for (std::size_t i = 0; i + 1 < words.size(); i += 2) {
        if (words[i] == "c") chosen = &words[i + 1];
        if (words[i] == "m" && !chosen) chosen = &words[i + 1];
    }
    return chosen && parseColour(*chosen, colour);
}

// Pixel characters are printable: with two a pixel there are 95 x 95 keys,
// so the table of keys stays small enough to be cheap to make for every
// picture read.
constexpr int firstKeyChar = ' ';
constexpr int keyChars = '~' - ' ' + 1;

int keyCount(int charsPerPixel) {
    return charsPerPixel == 1 ? keyChars : keyChars * keyChars;
}

// The key of the pixel characters at `text`, or -1 for a character that no
// colour line can name.
int pixelKey(const char* text, int charsPerPixel) {
    int key = 0;
    for (int i = 0; i < charsPerPixel; ++i) {
        const int c = static_cast<unsigned char>(text[i]) - firstKeyChar;
        if (c < 0 || c >= keyChars) return -1;
        key = key * keyChars + c;
    }
    return key;
}

std::unique_ptr<platform::Bitmap> makeTarget(int width, int height, XpmLayer layer) {
    platform::BitmapInfoHeader header;
    header.biWidth = width;
    header.biHeight = -height;  // top-down, so rows read in source order
    if (layer == XpmLayer::Picture) return platform::Bitmap::create(header);
    header.biBitCount = 1;
    const platform::RgbQuad blackAndWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    return platform::Bitmap::create(header, blackAndWhite, 2);
}

}  // namespace

std::unique_ptr<platform::Bitmap> readXpm(std::span<const char* const> lines, XpmLayer layer) {
    if (lines.empty() || !lines[0]) return nullptr;
    std::string_view values = lines[0];
    int width = 0, height = 0, colourCount = 0, charsPerPixel = 0;
    if (!readInt(values, width) || !readInt(values, height) || !readInt(values, colourCount) ||
        !readInt(values, charsPerPixel))
        return nullptr;
    if (width < 1 || height < 1 || width > maxSide || height > maxSide) return nullptr;
    if (charsPerPixel < 1 || charsPerPixel > maxCharsPerPixel) return nullptr;
    if (colourCount < 1 || colourCount > keyCount(charsPerPixel)) return nullptr;
    if (lines.size() < std::size_t(1 + colourCount + height)) return nullptr;

    // Every key not named by a colour line stays -1, which rejects the row.
    std::vector<std::int16_t> colourOfKey(std::size_t(keyCount(charsPerPixel)), -1);
    std::vector<XpmColour> colours(static_cast<std::size_t>(colourCount));
    for (int i = 0; i < colourCount; ++i) {
        const char* line = lines[std::size_t(1 + i)];
        if (!line || std::strlen(line) < std::size_t(charsPerPixel)) return nullptr;
        if (!parseColourLine(std::string_view(line).substr(std::size_t(charsPerPixel)),
                             colours[std::size_t(i)]))
            return nullptr;
        const int key = pixelKey(line, charsPerPixel);
        if (key < 0) return nullptr;
        colourOfKey[std::size_t(key)] = std::int16_t(i);
    }

    auto bitmap = makeTarget(width, height, layer);
    if (!bitmap) return nullptr;
    const std::size_t rowChars = std::size_t(width) * std::size_t(charsPerPixel);
    for (int y = 0; y < height; ++y) {
        const char* source = lines[std::size_t(1 + colourCount + y)];
        if (!source || std::strlen(source) != rowChars) return nullptr;
        std::uint8_t* row = bitmap->row(y);
        for (int x = 0; x < width; ++x, source += charsPerPixel) {
            const int key = pixelKey(source, charsPerPixel);
            const int index = key < 0 ? -1 : colourOfKey[std::size_t(key)];
            if (index < 0) return nullptr;
            const XpmColour& colour = colours[std::size_t(index)];
            if (layer == XpmLayer::Mask) {
                if (colour.transparent) row[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
            } else if (!colour.transparent) {
                row[3 * x] = colour.blue;
                row[3 * x + 1] = colour.green;
                row[3 * x + 2] = colour.red;
            }
        }
    }
    return bitmap;
}
