#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/dialogs/modal_dialogs.h"
#include "platform/gdi/types.h"

namespace platform {
class Bitmap;
class Surface;
}  // namespace platform

// Dialog templates are laid out in dialog units of the 8-point system font:
// a quarter of its average character width across and an eighth of its
// height down, which at 96 pixels per inch both come to 7/4 pixel.
constexpr std::int32_t dialogUnitsToPixels(std::int32_t units) {
    return units * 7 / 4;
}

// What the colour picker and the opacity slider share: a client area they
// paint pixel by pixel, the repaint requests gathered between paints, the
// static texts of their templates, and the end of the run.
class PopupDialog : public platform::PixelDialog {
  public:
    // A text of the template, at its position in dialog units.
    struct StaticText {
        std::int32_t x;
        std::int32_t y;
        std::u16string_view text;
    };

    ~PopupDialog() override;

    std::string_view name() const override { return name_; }
    std::int32_t anchorCommand() const override { return anchorCommand_; }
    const platform::Bitmap* clientArea() const override { return client_.get(); }

    bool needsPaint() const override { return invalid_.left < invalid_.right; }
    // Paints what was invalidated, and only that: the handlers draw some
    // things straight into the client area, and a paint must not undo them.
    void paint() override;

    // The stylus arrives as the platform reports it, in signed 16-bit
    // client coordinates.
    void stylusDown(std::int32_t x, std::int32_t y) override;
    void stylusMove(std::int32_t x, std::int32_t y) override;
    void stylusUp(std::int32_t x, std::int32_t y) override;

    bool closed() const override { return closed_; }
    int result() const override { return result_; }
    void cancel() override { end(platform::dialogCancel); }

  protected:
    // A client area of the template's size in dialog units, all invalid.
    PopupDialog(std::string_view name, std::int32_t anchorCommand, std::int32_t widthUnits,
                std::int32_t heightUnits, std::span<const StaticText> statics);

    // Asks for a repaint of `area` without erasing it first.
    void invalidate(const RECT& area);
    // Closes the run with `result`; the working record is freed first.
    void end(int result);

    platform::Bitmap* client() { return client_.get(); }

    virtual void onStylusDown(std::int16_t x, std::int16_t y) = 0;
    virtual void onStylusMove(std::int16_t x, std::int16_t y) = 0;
    virtual void onStylusUp(std::int16_t x, std::int16_t y) = 0;
    // Draws the dialog's own controls; the surface is clipped to the area
    // being repainted.
    virtual void paintControls(platform::Surface& surface) = 0;
    virtual void freeRecord() = 0;

  private:
    std::string name_;
    std::int32_t anchorCommand_;
    std::span<const StaticText> statics_;
    std::unique_ptr<platform::Bitmap> client_;
    RECT invalid_{};
    bool eraseNeeded_ = true;
    bool closed_ = false;
    int result_ = platform::dialogCancel;
};
