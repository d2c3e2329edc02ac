#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/font_catalog.h"

struct FT_FaceRec_;

namespace platform {

// One face opened at one pixel size. Opening is the costly part of making a
// font, so sized faces are kept (see `openSizedFace`) and shared by every
// font that uses them.
class SizedFace {
  public:
    ~SizedFace();
    SizedFace(const SizedFace&) = delete;
    SizedFace& operator=(const SizedFace&) = delete;

    FT_FaceRec_* face() const { return face_; }
    // Identifies the font file and face index for as long as the program
    // runs; never reused for another face.
    std::uint32_t faceId() const { return faceId_; }
    std::int32_t emPixels() const { return emPixels_; }
    // Whole pixels above and below the baseline.
    std::int32_t ascent() const { return ascent_; }
    std::int32_t descent() const { return descent_; }

  private:
    friend std::shared_ptr<SizedFace> openSizedFace(const FaceLocation&, std::int32_t);
    SizedFace() = default;

    FT_FaceRec_* face_ = nullptr;
    std::uint32_t faceId_ = 0;
    std::int32_t emPixels_ = 0;
    std::int32_t ascent_ = 0;
    std::int32_t descent_ = 0;
};

// The largest em height a face is opened at; larger requests are refused.
constexpr std::int32_t maxEmPixels = 4096;

// The em height in pixels for a font record height: negative is the em
// height itself, positive the cell height (ascent plus descent), zero the
// default of 16 pixels. 0 when the face cannot be opened or the size is out
// of range.
std::int32_t emPixelsForHeight(const FaceLocation& location, std::int32_t height);

// The face opened at `emPixels`, shared with earlier requests for the same
// face and size. Null when the file is not a usable scalable face.
std::shared_ptr<SizedFace> openSizedFace(const FaceLocation& location, std::int32_t emPixels);

}  // namespace platform
