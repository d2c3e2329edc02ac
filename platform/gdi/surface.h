#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gdi/brush.h"
#include "platform/gdi/pen.h"
#include "platform/gdi/types.h"

namespace platform {

class Bitmap;
class Font;
class Window;

enum class BackgroundMode { Opaque, Transparent };

// A drawing surface: draws into the 24-bit bitmap selected into it. A surface
// made by `Window::getSurface` draws into the window's backing store and
// presents it when it is destroyed. Selecting an object hands back what was
// selected before, so callers can restore it. Drawing with no bitmap selected
// does nothing. Rasterisation is aliased throughout: right and bottom edges
// are exclusive and nothing is smoothed.
class Surface {
  public:
    // A memory surface compatible with the screen, with nothing selected.
    Surface();
    // A memory surface with `bitmap` already selected.
    explicit Surface(Bitmap* bitmap);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    Bitmap* selectBitmap(Bitmap* bitmap);
    const Pen* selectPen(const Pen* pen);
    const Brush* selectBrush(const Brush* brush);
    const Font* selectFont(const Font* font);

    // Whoever takes the bitmap may write anywhere in it, so from then on
    // all of the drawable area counts as drawn.
    Bitmap* bitmap() const {
        noteDrawn(drawableArea());
        return bitmap_;
    }
    const Pen* pen() const { return pen_; }
    const Brush* brush() const { return brush_; }
    const Font* font() const { return font_; }

    // Every drawing operation stays inside the clip rectangle while one is set.
    void setClipRect(const RECT& clip);
    void clearClip();

    // Fills the rectangle with the brush; no outline.
    void fillRect(const RECT& area, const Brush& brush);
    // Outline with the selected pen, interior with the selected brush. A
    // 1-pixel pen covers exactly the border pixels of the rectangle; a wider
    // pen draws a band of its width centred on that border.
    void rectangle(const RECT& bounds);
    // The ellipse inscribed in the rectangle, symmetric in it; outline and
    // interior as for `rectangle`.
    void ellipse(const RECT& bounds);
    // Lines through the points with the selected pen. Each segment leaves out
    // its last pixel, so the final point is not drawn.
    void polyline(const POINT* points, std::size_t count);

    // Copies width by height pixels from (sx, sy) of `source` to (dx, dy),
    // clipped to both bitmaps and the clip rectangle. Palettised sources are
    // converted to 24 bits through their colour table. Source and destination
    // may be the same surface. `written`, when given, receives the
    // destination rectangle that was actually changed (empty if none).
    bool blit(std::int32_t dx, std::int32_t dy, std::int32_t width, std::int32_t height,
              const Surface& source, std::int32_t sx, std::int32_t sy, RECT* written = nullptr);
    // Copies the source block (sx, sy, sw, sh) into the destination block
    // (dx, dy, dw, dh), enlarging or reducing by picking whole pixels: each
    // destination pixel shows the source pixel its position maps to.
    // Destination pixels whose source lies outside the source bitmap keep
    // their colour. Source and destination must not be the same bitmap.
    bool stretchBlit(std::int32_t dx, std::int32_t dy, std::int32_t dw, std::int32_t dh,
                     const Surface& source, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                     std::int32_t sh, RECT* written = nullptr);

    // `invalidColour` outside the bitmap or the clip rectangle.
    COLORREF pixel(std::int32_t x, std::int32_t y) const;

    COLORREF setTextColour(COLORREF colour);
    BackgroundMode setBackgroundMode(BackgroundMode mode);
    COLORREF textColour() const { return textColour_; }
    BackgroundMode backgroundMode() const { return backgroundMode_; }
    // Draws the text with the selected font, its top-left at (x, y). With a
    // transparent background only the glyphs' coverage is blended in; with an
    // opaque one the text's extent is filled with the background colour first.
    bool textOut(std::int32_t x, std::int32_t y, std::u16string_view text);
    // The extent `textOut` covers for this text with the selected font.
    SIZE textExtent(std::u16string_view text) const;

    COLORREF backgroundColour() const { return 0xFFFFFF; }
    int verticalDpi() const { return 96; }

    // Where drawing may land: the bitmap's bounds cut by the clip rectangle.
    RECT drawableArea() const;
    // One rectangle holding every pixel that drawing on this surface may
    // have changed (empty when nothing was drawn), so a window can show just
    // that part when the surface presents.
    RECT drawnArea() const { return drawn_; }

  private:
    friend class Window;
    void presentOnRelease(Window* window) { presentTo_ = window; }
    // Adds `area`, cut to the drawable area, to the drawn area.
    void noteDrawn(const RECT& area) const;

    Bitmap* bitmap_ = nullptr;
    const Pen* pen_;
    const Brush* brush_;
    const Font* font_ = nullptr;
    bool clipped_ = false;
    RECT clip_{};
    COLORREF textColour_ = 0;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    Window* presentTo_ = nullptr;
    mutable RECT drawn_{};
};

// The pen and brush a new surface starts with: a black 1-pixel pen and a white brush.
const Pen& defaultPen();
const Brush& defaultBrush();

}  // namespace platform
