#pragma once

#include <cstdint>
#include <memory>

#include "app/frame/dialogs/popup_dialog.h"

class MainFrame;

// The opacity slider that drops down from the opacity button: a black track
// with a triangular knob under it. Pressing on the slider and dragging sets
// the frame's opacity as the knob moves (0 at the left end, 127 at the
// right), the knob's tip always under the stylus; lifting the stylus after
// that closes it. A lift without a press on
// the slider leaves it open: the slider must be touched to close it. A run
// cancelled from outside puts the opacity back as it was.
class OpacitySliderDialog final : public PopupDialog {
  public:
    static constexpr RECT trackArea{13, 23, 113, 25};
    static constexpr RECT knobArea{5, 25, 121, 33};
    static constexpr RECT redrawArea{5, 18, 121, 35};
    // The press area, both ends included.
    static constexpr std::int32_t pressLeft = 13;
    static constexpr std::int32_t pressRight = 112;
    static constexpr std::int32_t pressTop = 20;
    static constexpr std::int32_t pressBottom = 32;
    static constexpr std::int32_t knobTop = 26;

    explicit OpacitySliderDialog(MainFrame& frame);
    ~OpacitySliderDialog() override;

    void cancel() override;

    // The opacity a stylus column gives, 0..127 across the press area. The
    // track has fewer columns than there are opacities, so a column can stand
    // for two: the stylus arriving from the right picks the higher one, from
    // the left or by a press the lower, and every opacity can be reached.
    static std::int32_t opacityAt(std::int32_t x, bool fromTheRight = false);
    // The knob bitmap's left column for an opacity.
    static std::int32_t knobLeft(std::uint16_t opacity);

  private:
    // What the dialog keeps while it is open.
    struct Record;

    void onStylusDown(std::int16_t x, std::int16_t y) override;
    void onStylusMove(std::int16_t x, std::int16_t y) override;
    void onStylusUp(std::int16_t x, std::int16_t y) override;
    void paintControls(platform::Surface& surface) override;
    void freeRecord() override;

    void slideTo(std::int32_t x, bool fromTheRight);

    MainFrame& frame_;
    std::uint16_t openingOpacity_;
    std::unique_ptr<Record> record_;
};
