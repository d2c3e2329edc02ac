// The drawing surface's bulk operations beside the memory operations they
// should cost about as much as: a block copy is a memcpy per row, a solid
// fill a memset per row.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "bench/targets.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"

namespace {

using platform::Bitmap;
using platform::Brush;
using platform::Surface;

constexpr int side = 1024;

struct Picture {
    std::unique_ptr<Bitmap> bitmap = Bitmap::createCompatible(side, side);
    Surface surface{bitmap.get()};
};

void memcpyPicture(benchmark::State& state) {
    Picture from, to;
    std::memset(from.bitmap->bits(), 0x5A, from.bitmap->byteCount());
    for (auto _ : state) {
        std::memcpy(to.bitmap->bits(), from.bitmap->bits(), from.bitmap->byteCount());
        benchmark::DoNotOptimize(to.bitmap->bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(from.bitmap->byteCount()));
}
BENCHMARK(memcpyPicture);

void blitPicture(benchmark::State& state) {
    Picture from, to;
    std::memset(from.bitmap->bits(), 0x5A, from.bitmap->byteCount());
    for (auto _ : state) {
        to.surface.blit(0, 0, side, side, from.surface, 0, 0);
        benchmark::DoNotOptimize(to.bitmap->bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(from.bitmap->byteCount()));
}
BENCHMARK(blitPicture);

void memsetPicture(benchmark::State& state) {
    Picture picture;
    for (auto _ : state) {
        std::memset(picture.bitmap->bits(), 0xFF, picture.bitmap->byteCount());
        benchmark::DoNotOptimize(picture.bitmap->bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(picture.bitmap->byteCount()));
}
BENCHMARK(memsetPicture);

void fillPicture(benchmark::State& state) {
    Picture picture;
    const Brush brush = Brush::solid(0x123456);
    for (auto _ : state) {
        picture.surface.fillRect(picture.bitmap->bounds(), brush);
        benchmark::DoNotOptimize(picture.bitmap->bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(picture.bitmap->byteCount()));
}
BENCHMARK(fillPicture);

// The reduction the view makes at 25 %: a 1024 x 1024 block to 256 x 256.
void stretchReduce4x(benchmark::State& state) {
    Picture from;
    auto to = Bitmap::createCompatible(side / 4, side / 4);
    Surface toSurface(to.get());
    std::memset(from.bitmap->bits(), 0x5A, from.bitmap->byteCount());
    for (auto _ : state) {
        toSurface.stretchBlit(0, 0, side / 4, side / 4, from.surface, 0, 0, side, side);
        benchmark::DoNotOptimize(to->bits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(stretchReduce4x);

MIRABO_TARGET("blit 1024x1024 vs memcpy", "blitPicture", "memcpyPicture", 1.5);
MIRABO_TARGET("solid fill 1024x1024 vs memset", "fillPicture", "memsetPicture", 1.5);

}  // namespace
