#pragma once

#include <cstdint>
#include <memory>

#include "app/frame/tool_button_table.h"
#include "platform/gdi/types.h"
#include "tools/mask_shapes.h"

class Document;
class FrameBar;
class PopupPalette;
class ViewScrollBars;

namespace platform {
class Bitmap;
class Window;
}  // namespace platform

// The user-interface state of the program: the selected tool button, the
// drawing options, the canvas size and the view's zoom and scroll. The
// document and the tools read it; the shell's widgets show it. It holds no
// toolkit objects: the bars and the canvas view are reached through small
// interfaces, and while one is missing each service works on the fields alone.
class MainFrame {
  public:
    MainFrame();
    ~MainFrame();
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    Document* document = nullptr;
    platform::Window* mainWindow = nullptr;
    FrameBar* menuBar = nullptr;
    FrameBar* toolBar = nullptr;
    FrameBar* optionBar = nullptr;
    platform::Window* canvasWindow = nullptr;
    ViewScrollBars* scrollBars = nullptr;
    std::unique_ptr<platform::Bitmap> colourButtonBitmap;
    PopupPalette* activePalette = nullptr;
    COLORREF currentColour = 0;
    std::int32_t panAnchorX = 0;
    std::int32_t panAnchorY = 0;
    std::int32_t currentToolRow = -1;
    std::uint16_t currentTool = 0;
    std::int16_t scrollX = 0;
    std::int16_t scrollY = 0;
    std::int32_t lineWidth = 2;
    std::int32_t airbrushSizeIndex = 5;
    std::int32_t smudgeSizeIndex = 4;
    std::int32_t eraserSizeIndex = 4;
    std::int32_t zoomShift = 0;
    std::int32_t snapGridX = 0;
    std::int32_t snapGridY = 0;
    std::int32_t fontSize = 12;
    char16_t fontName[64] = {};
    std::uint16_t canvasWidth = 0;
    std::uint16_t canvasHeight = 0;
    std::uint32_t autoScrollTimer = 0;
    std::int32_t autoScrollDX = 0;
    std::int32_t autoScrollDY = 0;
    std::int32_t autoScrollX = 0;
    std::int32_t autoScrollY = 0;
    std::int32_t maxScrollX = 1;
    std::int32_t maxScrollY = 1;
    std::int32_t colourButtonImage = -1;
    std::uint16_t opacity = 127;
    std::uint16_t hue = 0;
    bool optionToggle = false;

    ToolButtonTable toolButtons = initialToolButtonTable();
    OptionButtonTable optionButtons = initialOptionButtonTable();

    // The opacity strokes are painted with: the setting for tools that use
    // it (of the tool buttons only the pencil does), full strength otherwise.
    std::uint16_t currentOpacity() const;
    // The mask the airbrush or the eraser stamps with.
    const MaskShape* lineStyleEntry() const;
    // The current tool's use of an option button (1 used, 0 not); 1 for
    // buttons that do not depend on the tool and when no tool row is selected.
    std::uint8_t optionUsed(std::int32_t command) const;

    // The canvas view's client rectangle; all zero without a view.
    void getViewRect(RECT& rect) const;
    void setCapture(bool capture);
    void resetScroll();
    void updateScrollRange(const RECT* viewRect = nullptr);
    void updateOptionBar();
    void updateColourButton();
    bool selectTool(std::uint16_t index);
    void setButtonEnabled(FrameBar* bar, std::int32_t command, bool enabled);

    // The canvas view: stylus, character and paint messages as the view
    // window receives them, in view (client) coordinates. The hand button
    // pans the view itself; every other tool goes to the document.
    void viewStylusDown(std::int32_t x, std::int32_t y);
    void viewStylusMove(std::int32_t x, std::int32_t y);
    void viewStylusUp(std::int32_t x, std::int32_t y);
    void viewCharacter(char16_t character);
    void viewPaint();

    // A stylus position held inside the view's client area.
    POINT clampToView(std::int32_t x, std::int32_t y) const;
    void panTo(std::int32_t x, std::int32_t y, bool scroll);
    void scrollBy(std::int32_t dx, std::int32_t dy);
    // One scroll-bar request: `code` 0 line up, 1 line down, 2 page up,
    // 3 page down, 4 thumb position, 5 thumb track, 6 top, 7 bottom, 8 end.
    void scrollTo(int code, std::int32_t position, bool horizontal, bool repaint);
    void checkAutoScroll(std::int32_t x, std::int32_t y, bool moving);
    void onAutoScrollTimer(std::uint32_t timerId);
    void changeZoom(std::int32_t newShift);

    static constexpr std::uint32_t autoScrollTimerId = 7979;
    static constexpr std::uint32_t autoScrollPeriodMs = 25;
    static constexpr std::uint16_t handButton = 14;

    // The modal dialogs of the option bar and the Tools menu, run through
    // `platform::modalDialogs()` and owned by the canvas view. Each tells
    // the document only when its setting changed: the colour picker (the
    // colour button), the opacity slider (the opacity button) and the Canvas
    // Size dialog, which keeps each side within 1..1024.
    void chooseColour();
    void chooseOpacity();
    void chooseCanvasSize();
};
