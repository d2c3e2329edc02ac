#pragma once

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/clipboard/system_clipboard.h"
#include "platform/gdi/bitmap.h"

namespace platform::testing {

// The desktop's clipboard within a test: installed for as long as it lives,
// it keeps the last picture put on it and lets the test play another
// program that copies something.
class FakeSystemClipboard final : public SystemClipboard {
  public:
    FakeSystemClipboard() { setSystemClipboard(this); }
    ~FakeSystemClipboard() override { setSystemClipboard(nullptr); }
    FakeSystemClipboard(const FakeSystemClipboard&) = delete;
    FakeSystemClipboard& operator=(const FakeSystemClipboard&) = delete;

    bool setPicture(const Bitmap& picture) override {
        held_ = topLeft(picture, picture.width(), picture.height());
        ownedByUs_ = true;
        return held_ != nullptr;
    }
    bool ownedByOtherProgram() const override { return !ownedByUs_; }
    bool offersImage() const override { return held_ != nullptr; }
    std::unique_ptr<Bitmap> picture(std::int32_t maxWidth, std::int32_t maxHeight) const override {
        return held_ ? topLeft(*held_, maxWidth, maxHeight) : nullptr;
    }

    // Another program copies `picture`, or something that is no picture
    // when it is null.
    void otherProgramCopies(std::unique_ptr<Bitmap> picture) {
        held_ = std::move(picture);
        ownedByUs_ = false;
    }
    // What the clipboard holds now; null when it holds no picture.
    const Bitmap* held() const { return held_.get(); }

  private:
    static std::unique_ptr<Bitmap> topLeft(const Bitmap& from, std::int32_t maxWidth,
                                           std::int32_t maxHeight) {
        const std::int32_t w = std::min(from.width(), maxWidth);
        const std::int32_t h = std::min(from.height(), maxHeight);
        if (from.bitCount() != 24 || w <= 0 || h <= 0) return nullptr;
        auto copy = Bitmap::createCompatible(w, h);
        if (!copy) return nullptr;
        for (std::int32_t y = 0; y < h; ++y)
            std::memcpy(copy->row(y), from.row(y), std::size_t(w) * 3);
        return copy;
    }

    std::unique_ptr<Bitmap> held_;
    bool ownedByUs_ = false;
};

}  // namespace platform::testing
