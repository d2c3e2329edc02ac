#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/memory/large_buffer.h"

class Canvas;

// The drawing's earlier states, as far back as a memory budget allows. Each
// step is what one flatten changed in the committed picture: for every block
// of the picture that the flatten changed, its pixels before and after.
// Undoing a step writes the pixels before into both pictures, redoing it the
// pixels after. A block is a run of neighbouring 64-pixel columns within a
// band of 64 rows, so a thin stroke keeps little more than it touched and a
// change of the whole picture keeps whole rows.
class EarlierStates {
  public:
    static constexpr std::size_t defaultBudget = std::size_t(64) << 20;
    static constexpr std::int32_t blockSide = 64;

    explicit EarlierStates(std::size_t budget = defaultBudget) : budget_(budget) {}

    // Recording a flatten is two calls around it. `begin` compares the live
    // picture with the committed one and keeps the committed pixels of every
    // block where they differ; false when nothing differs (nothing to
    // record) or no memory was left, when every step is dropped, since no
    // undo could cross this change. `end`, once the committed picture has
    // taken the change, keeps the same blocks' pixels after it and stores
    // the step: the steps that were undone go, then the oldest ones while
    // the budget is exceeded.
    bool begin(const Canvas& canvas);
    void end(const Canvas& canvas);

    bool canUndo() const { return applied_ > 0; }
    bool canRedo() const { return applied_ < steps_.size(); }
    // Each writes one step into both pictures; false when there was none,
    // or the canvas no longer has the size the steps were taken at (then
    // every step is dropped).
    bool undo(Canvas& canvas);
    bool redo(Canvas& canvas);

    // A new change: the undone steps can no longer be redone.
    void dropRedo();
    void clear();

    // Bytes held by the stored steps: their pixels and their block lists.
    std::size_t storedBytes() const { return storedBytes_; }
    std::size_t budget() const { return budget_; }
    std::size_t stepCount() const { return steps_.size(); }

  private:
    struct Block {
        std::uint16_t left;
        std::uint16_t top;
        std::uint16_t width;
        std::uint16_t height;
    };
    struct Step {
        std::uint16_t canvasWidth = 0;
        std::uint16_t canvasHeight = 0;
        std::vector<Block> blocks;
        // The pixels before, block after block and row after row, then the
        // pixels after in the same order.
        platform::LargeBuffer pixels;
        std::size_t bytes() const { return pixels.size() + blocks.size() * sizeof(Block); }
    };

    bool fits(const Step& step, const Canvas& canvas) const;
    void write(const Step& step, bool after, Canvas& canvas);

    std::deque<Step> steps_;
    std::size_t applied_ = 0;  // steps_[0, applied_) are applied, the rest undone
    std::size_t storedBytes_ = 0;
    std::size_t budget_;
    Step pending_;
    bool recording_ = false;
};
