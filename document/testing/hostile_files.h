#pragma once

// Files made to hurt a reader: pictures that claim far more than they hold,
// JPEG files cut short or padded with an end marker, progressive files of
// absurd sizes or scan counts. Built in memory with the JPEG library, so the
// tests need nothing else.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace hostile_files {

// A bitmap of nothing but its two headers, claiming a picture.
inline std::string bitmapClaiming(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                  std::uint32_t compression = 0) {
    std::string file(54, '\0');
    auto put = [&file](std::size_t at, auto value) {
        std::memcpy(&file[at], &value, sizeof value);
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, std::uint32_t(54));
    put(10, std::uint32_t(54));
    put(14, std::uint32_t(40));
    put(18, width);
    put(22, height);
    put(26, std::uint16_t(1));
    put(28, bits);
    put(30, compression);
    return file;
}

struct JpegOptions {
    int width = 16;
    int height = 16;
    int components = 3;
    bool progressive = false;
    bool arithmetic = false;
    bool fullColour = false;  // 4:4:4 rather than the default 4:2:0
    // When set, every AC coefficient of every component gets a scan of its
    // own: 1 + 63 scans per component, which no encoder writes.
    bool scanPerCoefficient = false;
    int restartRows = 0;  // a restart marker every so many rows of blocks
};

// A JPEG file of smooth gradients with a little noise, made in memory.
inline std::string makeJpeg(const JpegOptions& options) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(options.width);
    info.image_height = JDIMENSION(options.height);
    info.input_components = options.components;
    info.in_color_space = options.components == 1   ? JCS_GRAYSCALE
                          : options.components == 4 ? JCS_CMYK
                                                    : JCS_RGB;
    jpeg_set_defaults(&info);
    info.arith_code = options.arithmetic;
    info.restart_in_rows = options.restartRows;
    if (options.fullColour)
        for (int i = 0; i < info.num_components; ++i)
            info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
    std::vector<jpeg_scan_info> scans;
    if (options.scanPerCoefficient) {
        for (int c = 0; c < options.components; ++c)
            scans.push_back(jpeg_scan_info{1, {c, 0, 0, 0}, 0, 0, 0, 0});
        for (int c = 0; c < options.components; ++c)
            for (int k = 1; k < 64; ++k)
                scans.push_back(jpeg_scan_info{1, {c, 0, 0, 0}, k, k, 0, 0});
        info.scan_info = scans.data();
        info.num_scans = int(scans.size());
    } else if (options.progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(options.width * options.components));
    unsigned noise = 12345;
    for (int y = 0; y < options.height; ++y) {
        for (int x = 0; x < options.width; ++x) {
            for (int c = 0; c < options.components; ++c) {
                noise = noise * 1103515245 + 12345;
                const int base = c == 0   ? x * 255 / options.width
                                 : c == 1 ? y * 255 / options.height
                                          : 128;
                row[std::size_t(x * options.components + c)] =
                    JSAMPLE(std::clamp<int>(base + int((noise >> 16) % 9) - 4, 0, 255));
            }
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    std::string file(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return file;
}

// The file with its frame header claiming another size.
inline std::string claimingSize(std::string jpeg, std::uint16_t width, std::uint16_t height) {
    for (std::size_t at = 2; at + 9 < jpeg.size(); ++at) {
        const auto marker = std::uint8_t(jpeg[at + 1]);
        if (std::uint8_t(jpeg[at]) == 0xFF && marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
            marker != 0xC8 && marker != 0xCC) {
            jpeg[at + 5] = char(height >> 8);
            jpeg[at + 6] = char(height & 0xFF);
            jpeg[at + 7] = char(width >> 8);
            jpeg[at + 8] = char(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

// Where the first scan's data begins: just after the first start-of-scan
// segment.
inline std::size_t firstScanData(const std::string& jpeg) {
    for (std::size_t at = 2; at + 3 < jpeg.size(); ++at)
        if (std::uint8_t(jpeg[at]) == 0xFF && std::uint8_t(jpeg[at + 1]) == 0xDA)
            return at + 2 + ((std::uint8_t(jpeg[at + 2]) << 8) | std::uint8_t(jpeg[at + 3]));
    return jpeg.size();
}

// The first `keep` bytes and an end marker, as a damaged copy that still
// ends properly would be.
inline std::string cutWithEndMarker(const std::string& jpeg, std::size_t keep) {
    return jpeg.substr(0, keep) + "\xFF\xD9";
}

// How much the process's resident memory grows at most while `work` runs,
// in bytes, by the system's own accounting. The work runs in a child
// process whose high-water mark starts at its resident size.
inline std::int64_t peakMemoryGrowth(const std::function<void()>& work) {
    auto field = [](const char* name) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind(name, 0) == 0) return std::atol(line.c_str() + std::strlen(name) + 1);
        return -1L;
    };
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = field("VmRSS:");
        work();
        const long after = field("VmHWM:");
        const long mebibytes = before < 0 || after < 0 ? 255 : (after - before + 1023) / 1024;
        _exit(int(std::clamp<long>(mebibytes, 0, 254)));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return std::int64_t(WEXITSTATUS(status)) << 20;
}

}  // namespace hostile_files
