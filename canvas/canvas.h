#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "canvas/raster_image.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_info_header.h"
#include "platform/gdi/colour_run.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/types.h"
#include "platform/memory/large_buffer.h"

namespace platform {
class Window;
}

// One entry of the flood fill's span stack.
struct ScratchPoint {
    std::int16_t cursorX;
    std::int16_t row;
    std::int16_t spanLeft;
    std::int16_t spanEnd;
};
static_assert(sizeof(ScratchPoint) == 8);

// Where primitives draw during a render pass: nowhere (Idle), into the live
// picture (Begun), into the view buffer or onto the window with canvas
// coordinates mapped (Mapped), or into the magnified view buffer at view
// resolution (Zoomed).
enum class RenderState : std::int32_t { Idle = 0, Begun = 1, Mapped = 2, Zoomed = 3 };

// The document's picture and the context everything is drawn through. It
// keeps two pictures of the canvas size: the live one that the user sees and
// tools draw into, and the committed one as it stood at the last commit. Both
// are 24-bit bottom-up bitmaps with more rows than the canvas needs: the
// canvas is the top `height` rows, and the spare rows below give saving room
// to compress the picture without a buffer of its own. Two view-sized buffers
// compose what the window shows, at any zoom.
class Canvas {
  public:
    // The largest canvas side: no canvas is made wider or taller, and a
    // picture file claiming more is refused.
    static constexpr std::uint16_t maxSide = 1024;
    static constexpr std::uint16_t defaultViewWidth = 240;
    static constexpr std::uint16_t defaultViewHeight = 320;
    static constexpr std::int16_t fullScratchCapacity = 8000;
    static constexpr COLORREF marginColour = 0xC0C0C0;

    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // --- buffers -------------------------------------------------------
    bool create(platform::Window* window, std::uint16_t width, std::uint16_t height,
                std::uint16_t viewWidth, std::uint16_t viewHeight);
    void release();
    void clear();
    bool copyPictureRect(const RECT& area, bool liveToCommitted);
    COLORREF pixelAt(POINT p);

    // Makes the view and zoom buffers at least as large as a client area of
    // the given size; the pictures are kept. False when they could not be
    // made larger (the old ones stay).
    bool ensureViewBuffers(std::int32_t clientWidth, std::int32_t clientHeight);

    static std::uint16_t allocatedRowsFor(std::uint16_t width, std::uint16_t height);
    static std::int16_t rowStrideFor(std::uint16_t width);

    std::uint16_t width() const { return width_; }
    std::uint16_t height() const { return height_; }
    std::uint16_t allocatedRows() const { return allocatedRows_; }
    std::int16_t rowStride() const { return rowStrideFor(width_); }
    std::uint8_t* liveBits() const { return liveBits_; }
    std::uint8_t* committedBits() const { return committedBits_; }
    const platform::BitmapInfoHeader& pictureHeader() const { return pictureHeader_; }
    ScratchPoint* scratchPoints() { return reinterpret_cast<ScratchPoint*>(scratchMemory_.data()); }
    std::int16_t scratchCapacity() const { return scratchCapacity_; }
    platform::Window* viewWindow() const { return viewWindow_; }
    std::uint16_t viewWidth() const { return viewWidth_; }
    std::uint16_t viewHeight() const { return viewHeight_; }
    std::uint8_t* viewBits() const { return viewBits_; }
    std::uint8_t* zoomBits() const { return zoomBits_; }
    // Bytes of the zoom buffer, which saving borrows as work memory.
    std::size_t zoomBufferBytes() const { return zoomBuffer_ ? zoomBuffer_->byteCount() : 0; }
    platform::Bitmap* livePicture() const { return livePicture_.get(); }
    platform::Bitmap* committedPicture() const { return committedPicture_.get(); }
    bool compressorReady() const { return compressorReady_; }
    void setCompressorReady(bool ready) { compressorReady_ = ready; }

    // Byte offset of canvas pixel (x, y) in either picture.
    std::ptrdiff_t pixelOffset(std::int32_t x, std::int32_t y) const {
        return std::ptrdiff_t(allocatedRows_ - 1 - y) * rowStride() + 3 * std::ptrdiff_t(x);
    }

    // --- render pass ---------------------------------------------------
    void beginRender(bool overlay, std::int16_t scrollX, std::int16_t scrollY,
                     std::int16_t zoomShift, const RECT* client, const RECT* originRect,
                     bool fillBackground);
    void setViewTransform(bool copyToWindow, bool useViewBuffer, std::int16_t scrollX,
                          std::int16_t scrollY, std::int16_t zoomShift, const RECT* client,
                          const RECT* originRect);
    void composeZoom();
    void endRender();
    void toDevice(POINT* points, std::uint16_t count, std::int16_t* width) const;
    void toCanvas(POINT* points, std::uint16_t count) const;
    void rectToDevice(RECT& rect, std::int16_t* width) const;

    RenderState renderState() const { return renderState_; }
    std::int16_t zoomShift() const { return zoomShift_; }
    std::int16_t zoomFactor() const { return zoomFactor_; }
    std::int16_t scrollX() const { return scrollX_; }
    std::int16_t scrollY() const { return scrollY_; }
    std::int32_t offsetX() const { return offsetX_; }
    std::int32_t offsetY() const { return offsetY_; }
    bool overlay() const { return overlay_; }
    // The surface primitives draw into during a pass; null outside one.
    platform::Surface* target() const { return target_; }

    // --- primitives ----------------------------------------------------
    void drawRectangle(const RECT& bounds, COLORREF colour, std::int16_t width, bool filled);
    void drawEllipse(const RECT& bounds, COLORREF colour, std::int16_t width, bool filled);
    // Flag bits of drawPolyline.
    static constexpr unsigned polylineMapBack = 1;
    static constexpr unsigned polylineDashed = 2;
    void drawPolyline(POINT* points, std::uint16_t count, std::int16_t width, COLORREF colour,
                      unsigned flags);
    void drawSelectionFrame(const RECT& rect);
    void drawImage(const RasterImage& image, POINT position);
    void blitRegion(const RECT& source, POINT destination, bool fromCommitted, bool alignReduced);
    void drawText(std::int16_t size, COLORREF colour, const char16_t* face, const char16_t* text,
                  POINT position);
    void measureText(std::int16_t size, const char16_t* face, const char16_t* text, RECT& output);

    // --- region images and flips -----------------------------------------
    bool copyRegionToImage(RECT& area, RasterImage& image);
    bool duplicateImage(const RasterImage& source, RasterImage& copy);
    void flipRegion(RECT& area, bool horizontal);

    // --- pixel blends ---
    void blendSquare(std::int32_t x, std::int32_t y, std::int16_t width, std::int16_t height,
                     COLORREF colour, std::uint16_t opacity);
    void stampMask(std::int32_t x, std::int32_t y, const struct MaskShape& shape, COLORREF colour);
    void stampMaskImage(const struct MaskShape& shape, const std::uint8_t* image, std::int32_t x,
                        std::int32_t y);
    void copyOut(std::uint8_t* buffer, std::int32_t x, std::int32_t y, std::int16_t width,
                 std::int16_t height) const;

    // --- flood fill ---
    // Fills the 4-connected area of (x, y)'s colour with `colour`, both taken
    // with the three low bits of every channel dropped. True when pixels
    // changed; `dirty` then covers them (right and bottom exclusive).
    bool floodFill(std::int32_t x, std::int32_t y, COLORREF colour, RECT& dirty);

  private:
    struct FillSpan {
        std::int32_t left;
        std::int32_t end;
    };
    FillSpan fillSpan(std::int32_t cx, std::int32_t y, std::uint32_t target,
                      const platform::ColourRun& fill, RECT& dirty);
    std::uint32_t pixelKey(std::int32_t x, std::int32_t y) const;
    void putPixel(std::int32_t x, std::int32_t y, COLORREF colour);
    bool makeViewBuffers(std::uint16_t viewWidth, std::uint16_t viewHeight);
    void storeTransform(std::int16_t scrollX, std::int16_t scrollY, std::int16_t zoomShift,
                        const RECT* client, const RECT* originRect);
    void composeView(const RECT& greyArea);
    RECT copyVisiblePart();
    void replicateInto(platform::Bitmap& destination, const RECT& area) const;
    void paintMargins();
    void finishPass();

    platform::LargeBuffer scratchMemory_;
    std::int16_t scratchCapacity_ = 0;
    platform::Surface* target_ = nullptr;
    std::unique_ptr<platform::Surface> pictureSurface_;
    std::unique_ptr<platform::Surface> viewSurface_;
    std::unique_ptr<platform::Surface> windowSurface_;
    platform::Window* viewWindow_ = nullptr;
    platform::BitmapInfoHeader pictureHeader_{};
    std::uint8_t* committedBits_ = nullptr;
    std::uint8_t* liveBits_ = nullptr;
    std::unique_ptr<platform::Bitmap> committedPicture_;
    std::unique_ptr<platform::Bitmap> livePicture_;
    std::unique_ptr<platform::Bitmap> viewBuffer_;
    platform::Bitmap* savedPictureSelection_ = nullptr;
    platform::Bitmap* savedViewSelection_ = nullptr;
    std::unique_ptr<platform::Bitmap> zoomBuffer_;
    mutable platform::LargeBuffer magnifiedRow_;  // one row of the view, for magnifying
    std::uint8_t* zoomBits_ = nullptr;
    std::uint8_t* viewBits_ = nullptr;
    std::uint16_t viewWidth_ = 0;
    std::uint16_t viewHeight_ = 0;
    std::uint16_t width_ = 0;
    std::uint16_t height_ = 0;
    std::uint16_t allocatedRows_ = 0;
    RenderState renderState_ = RenderState::Idle;
    std::int16_t zoomShift_ = 0;
    std::int16_t zoomFactor_ = 1;
    std::int32_t originX_ = 0;
    std::int32_t originY_ = 0;
    std::int32_t clientWidth_ = 0;
    std::int32_t clientHeight_ = 0;
    RECT windowClip_{};
    std::int32_t offsetX_ = 0;
    std::int32_t offsetY_ = 0;
    // Above 100 % a scroll position need not fall on the edge of a magnified
    // canvas pixel: the view then starts this many view pixels into canvas
    // pixel (scrollX >> zoomShift, scrollY >> zoomShift). 0 at 100 % and below.
    std::int32_t fractionX_ = 0;
    std::int32_t fractionY_ = 0;
    std::int16_t scrollX_ = 0;
    std::int16_t scrollY_ = 0;
    bool overlay_ = false;
    // False in a quick refresh, which draws on the window over what it
    // already shows: its margins are still there and need no paint.
    bool marginsDue_ = true;
    bool compressorReady_ = false;
};
