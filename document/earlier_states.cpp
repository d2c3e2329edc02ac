#include "document/earlier_states.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "canvas/canvas.h"

namespace {

// Which 64-pixel columns of a band changed, one bit each.
using ColumnMask = std::uint32_t;
static_assert(Canvas::maxSide / EarlierStates::blockSide <= 32);

}  // namespace

bool EarlierStates::begin(const Canvas& canvas) {
    recording_ = false;
    const std::uint8_t* live = canvas.liveBits();
    const std::uint8_t* committed = canvas.committedBits();
    if (!live || !committed) return false;
    const std::int32_t width = canvas.width(), height = canvas.height();
    const std::int32_t columns = (width + blockSide - 1) / blockSide;
    const ColumnMask everyColumn = ColumnMask((std::uint64_t(1) << columns) - 1);
    const std::size_t rowBytes = 3 * std::size_t(width);

    std::vector<Block> blocks;
    std::size_t pixelBytes = 0;
    for (std::int32_t top = 0; top < height; top += blockSide) {
        const std::int32_t rows = std::min(blockSide, height - top);
        ColumnMask changed = 0;
        for (std::int32_t y = top; y < top + rows && changed != everyColumn; ++y) {
            const std::ptrdiff_t row = canvas.pixelOffset(0, y);
            if (std::memcmp(live + row, committed + row, rowBytes) == 0) continue;
            for (std::int32_t column = 0; column < columns; ++column) {
                if (changed & (ColumnMask(1) << column)) continue;
                const std::int32_t left = column * blockSide;
                const std::size_t bytes = 3 * std::size_t(std::min(blockSide, width - left));
                const std::ptrdiff_t at = row + 3 * std::ptrdiff_t(left);
                if (std::memcmp(live + at, committed + at, bytes) != 0)
                    changed |= ColumnMask(1) << column;
            }
        }
        // Neighbouring changed columns make one block.
        for (std::int32_t column = 0; column < columns;) {
            if (!(changed & (ColumnMask(1) << column))) {
                ++column;
                continue;
            }
            const std::int32_t first = column;
            while (column < columns && (changed & (ColumnMask(1) << column)))
                ++column;
            const std::int32_t left = first * blockSide;
            const std::int32_t right = std::min(column * blockSide, width);
            blocks.push_back(Block{std::uint16_t(left), std::uint16_t(top),
                                   std::uint16_t(right - left), std::uint16_t(rows)});
            pixelBytes += 3 * std::size_t(right - left) * std::size_t(rows);
        }
    }
    if (blocks.empty()) return false;

    platform::LargeBuffer pixels(2 * pixelBytes);
    if (pixels.empty()) {
        clear();
        return false;
    }
    std::uint8_t* out = pixels.data();
    for (const Block& block : blocks) {
        const std::size_t bytes = 3 * std::size_t(block.width);
        // Bottom row first: the pictures are stored bottom-up.
        for (std::int32_t y = block.top + block.height - 1; y >= block.top; --y) {
            std::memcpy(out, committed + canvas.pixelOffset(block.left, y), bytes);
            out += bytes;
        }
    }
    pending_.canvasWidth = std::uint16_t(width);
    pending_.canvasHeight = std::uint16_t(height);
    pending_.blocks = std::move(blocks);
    pending_.pixels = std::move(pixels);
    recording_ = true;
    return true;
}

void EarlierStates::end(const Canvas& canvas) {
    if (!recording_) return;
    recording_ = false;
    Step step = std::move(pending_);
    pending_ = Step{};
    if (!fits(step, canvas)) {
        clear();
        return;
    }
    const std::uint8_t* committed = canvas.committedBits();
    std::uint8_t* out = step.pixels.data() + step.pixels.size() / 2;
    for (const Block& block : step.blocks) {
        const std::size_t bytes = 3 * std::size_t(block.width);
        for (std::int32_t y = block.top + block.height - 1; y >= block.top; --y) {
            std::memcpy(out, committed + canvas.pixelOffset(block.left, y), bytes);
            out += bytes;
        }
    }

    dropRedo();
    // A step larger than the whole budget cannot be kept, and no undo can
    // cross a change that was not kept.
    if (step.bytes() > budget_) {
        clear();
        return;
    }
    storedBytes_ += step.bytes();
    steps_.push_back(std::move(step));
    applied_ = steps_.size();
    while (storedBytes_ > budget_) {
        storedBytes_ -= steps_.front().bytes();
        steps_.pop_front();
        --applied_;
    }
}

bool EarlierStates::undo(Canvas& canvas) {
    if (!canUndo()) return false;
    const Step& step = steps_[applied_ - 1];
    if (!fits(step, canvas)) {
        clear();
        return false;
    }
    write(step, false, canvas);
    --applied_;
    return true;
}

bool EarlierStates::redo(Canvas& canvas) {
    if (!canRedo()) return false;
    const Step& step = steps_[applied_];
    if (!fits(step, canvas)) {
        clear();
        return false;
    }
    write(step, true, canvas);
    ++applied_;
    return true;
}

void EarlierStates::dropRedo() {
    while (steps_.size() > applied_) {
        storedBytes_ -= steps_.back().bytes();
        steps_.pop_back();
    }
}

void EarlierStates::clear() {
    steps_.clear();
    applied_ = 0;
    storedBytes_ = 0;
    pending_ = Step{};
    recording_ = false;
}

bool EarlierStates::fits(const Step& step, const Canvas& canvas) const {
    return canvas.liveBits() && canvas.committedBits() && canvas.width() == step.canvasWidth &&
           canvas.height() == step.canvasHeight;
}

void EarlierStates::write(const Step& step, bool after, Canvas& canvas) {
    std::uint8_t* live = canvas.liveBits();
    std::uint8_t* committed = canvas.committedBits();
    const std::uint8_t* in = step.pixels.data() + (after ? step.pixels.size() / 2 : 0);
    const std::size_t stride = std::size_t(canvas.rowStride());
    for (const Block& block : step.blocks) {
        const std::size_t bytes = 3 * std::size_t(block.width);
        const std::ptrdiff_t bottom = canvas.pixelOffset(block.left, block.top + block.height - 1);
        // Whole rows without padding lie back to back: one copy per picture.
        if (bytes == stride) {
            const std::size_t all = bytes * block.height;
            std::memcpy(committed + bottom, in, all);
            std::memcpy(live + bottom, in, all);
            in += all;
            continue;
        }
        for (std::int32_t row = 0; row < block.height; ++row) {
            const std::ptrdiff_t at = bottom + std::ptrdiff_t(row) * std::ptrdiff_t(stride);
            std::memcpy(committed + at, in, bytes);
            std::memcpy(live + at, in, bytes);
            in += bytes;
        }
    }
}
