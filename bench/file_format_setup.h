#pragma once

// What the file-format benchmarks share: a 1024 x 1024 canvas holding one of
// three pictures, a folder of its own for the files, and the pairing of each
// operation with its reference.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "bench/targets.h"
#include "canvas/canvas.h"
#include "document/file_format_pictures.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

namespace file_format_bench {

enum class Picture { White, Shapes, Photo };

// A folder of its own, removed at the end. Memory-backed when the system
// has such a folder: the saves flush their files to the storage, and on a
// disk that would time the disk rather than the formats.
struct Folder {
    Folder() {
        std::error_code ignored;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ignored)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = base / "mirabo-bench-XXXXXX";
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

// A 1024 x 1024 canvas with the same picture in both pictures.
struct Setup {
    explicit Setup(Picture picture) {
        platform::setDialogs(&dialogs);
        canvas.create(&view, 1024, 1024, 240, 320);
        for (std::uint8_t* bits : {canvas.committedBits(), canvas.liveBits()}) {
            switch (picture) {
                case Picture::White:
                    file_format_pictures::paintWhite(canvas, bits);
                    break;
                case Picture::Shapes:
                    file_format_pictures::paintShapes(canvas, bits);
                    break;
                case Picture::Photo:
                    file_format_pictures::paintPhoto(canvas, bits);
                    break;
            }
        }
    }
    ~Setup() { platform::setDialogs(nullptr); }

    std::u16string path(const std::string& name) const { return platform::toUtf16(folder / name); }
    std::size_t pixelBytes() const { return std::size_t(canvas.height()) * canvas.rowStride(); }
    const std::uint8_t* committedRows() const {
        return canvas.committedBits() +
               std::size_t(canvas.allocatedRows() - canvas.height()) * canvas.rowStride();
    }

    platform::ScriptedDialogs dialogs;
    platform::HeadlessWindow view{240, 268};
    Canvas canvas;
    Folder folder;
};

// Ends a reference's write to `temporary` as a safe save does: the file
// flushed to storage and closed, renamed over `target`, the folder flushed.
inline void replacePlainly(std::FILE* file, const std::string& temporary, const std::string& target,
                           const Folder& folder) {
    std::fflush(file);
    fsync(fileno(file));
    std::fclose(file);
    std::rename(temporary.c_str(), target.c_str());
    const int fd = ::open(folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

// Each operation right beside its reference, picture by picture, and each
// measured for two seconds: on a machine shared with other work, conditions
// change over seconds, and a ratio is only fair between measurements made
// under the same ones.
#define MIRABO_FILE_PAIR(function, reference, picture, value)                                 \
    BENCHMARK_CAPTURE(function, picture, value)->Unit(benchmark::kMillisecond)->MinTime(2.0); \
    BENCHMARK_CAPTURE(reference, picture, value)->Unit(benchmark::kMillisecond)->MinTime(2.0)
#define MIRABO_FILE_PAIRS(function, reference)                      \
    MIRABO_FILE_PAIR(function, reference, white, Picture::White);   \
    MIRABO_FILE_PAIR(function, reference, shapes, Picture::Shapes); \
    MIRABO_FILE_PAIR(function, reference, photo, Picture::Photo)

// Each pair is compared on every picture it was measured on; the names carry
// the measuring time, as Google Benchmark reports them.
inline bool addTargets(const char* what, const std::string& measured, const std::string& reference,
                       double goal, std::initializer_list<const char*> pictures) {
    const std::string suffix = "/min_time:2.000";
    for (const char* picture : pictures)
        bench::addTarget({std::string(what) + " (" + picture + ")",
                          measured + "/" + picture + suffix, reference + "/" + picture + suffix,
                          goal});
    return true;
}

}  // namespace file_format_bench
