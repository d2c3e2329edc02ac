#pragma once

#include <cstdint>
#include <memory>

#include "app/frame/dialogs/popup_dialog.h"

class MainFrame;

// The colour picker that drops down from the colour button: a field of
// shades of one hue, a hue bar below it and a preview of the colour. Lifting
// the stylus after a pick in the field takes that colour into the frame and
// closes the picker; lifting after a drag along the hue bar keeps it open;
// a tap anywhere else closes it without a change. The hue position stays in
// the frame between openings.
class ColourPickerDialog final : public PopupDialog {
  public:
    static constexpr RECT fieldArea{10, 26, 160, 98};
    static constexpr RECT hueBarArea{10, 103, 160, 116};
    static constexpr RECT previewArea{55, 7, 67, 19};

    explicit ColourPickerDialog(MainFrame& frame);
    ~ColourPickerDialog() override;

  private:
    // What the dialog keeps while it is open.
    struct Record;

    void onStylusDown(std::int16_t x, std::int16_t y) override;
    void onStylusMove(std::int16_t x, std::int16_t y) override;
    void onStylusUp(std::int16_t x, std::int16_t y) override;
    void paintControls(platform::Surface& surface) override;
    void freeRecord() override;

    void changeHue(std::int32_t value);
    // Copies the field's shades into the client area.
    void drawField(platform::Surface& surface) const;
    COLORREF pickedColour() const;

    MainFrame& frame_;
    std::unique_ptr<Record> record_;
};
