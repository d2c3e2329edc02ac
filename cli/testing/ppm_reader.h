#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/gdi/types.h"

namespace cli_testing {

// A binary PPM as `snapshot` writes it: width, height and RGB bytes.
struct Ppm {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgb;

    COLORREF at(std::int32_t x, std::int32_t y) const {
        const std::size_t i = (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
        return ::rgb(rgb[i], rgb[i + 1], rgb[i + 2]);
    }
};

inline bool readPpm(const std::string& path, Ppm& ppm) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    if (!(in >> magic >> ppm.width >> ppm.height >> maximum) || magic != "P6" || maximum != 255)
        return false;
    in.get();
    ppm.rgb.resize(std::size_t(ppm.width) * std::size_t(ppm.height) * 3);
    return bool(in.read(reinterpret_cast<char*>(ppm.rgb.data()), std::streamsize(ppm.rgb.size())));
}

}  // namespace cli_testing
