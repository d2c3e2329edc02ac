#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "app/frame/command_ids.h"
#include "app/frame/tool_button_table.h"
#include "document/doc_command.h"
#include "platform/gdi/types.h"
#include "tools/mask_shapes.h"

class Document;
class FrameBar;
class FrameMainWindow;
class MenuEnabling;
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
    FrameMainWindow* mainWindow = nullptr;
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
    // One scroll-bar request; `position` counts for the thumb requests only.
    void scrollTo(ScrollRequest code, std::int32_t position, bool horizontal, bool repaint);
    void checkAutoScroll(std::int32_t x, std::int32_t y, bool moving);
    void onAutoScrollTimer(std::uint32_t timerId);
    // The canvas point under view position `keep` stays there: the view's
    // top-left corner for the zoom palette, the pointer for the wheel.
    void changeZoom(std::int32_t newShift, POINT keep = {});

    static constexpr std::uint32_t autoScrollTimerId = 7979;
    static constexpr std::uint32_t autoScrollPeriodMs = 25;

    // The windows a shell made for the frame. Any of them may be missing:
    // without a bar its buttons and layout are skipped, without a canvas
    // view `create` fails.
    struct Windows {
        FrameMainWindow* mainWindow = nullptr;
        FrameBar* menuBar = nullptr;
        FrameBar* toolBar = nullptr;
        FrameBar* optionBar = nullptr;
        platform::Window* canvasView = nullptr;
        ViewScrollBars* scrollBars = nullptr;
    };

    // Fills the bars with their buttons (the pencil selected), adds the menu
    // bar's two picture buttons, takes the canvas view and the canvas size.
    // Both bars start hidden; `toggleBar` shows them. False without a view.
    bool create(const Windows& windows, std::uint16_t width, std::uint16_t height);
    // Shows or hides the bar a menu-bar picture button stands for
    // (ToggleToolBar or ToggleOptionBar) and fits the view between the bars.
    void toggleBar(std::int32_t command);
    // Places the bars and the view after the main window changed size.
    void layout();
    // A command from a menu item, accelerator or button that the main window
    // itself does not handle: the About box, the bar toggles and
    // `routeCommand`. False when nothing took it, for the shell's default
    // handling.
    bool mainWindowCommand(std::int32_t command);
    bool routeCommand(std::int32_t command);
    // Grays the menu items the document cannot carry out now.
    void enableMenuItems(MenuEnabling& menu);

    // The bars (shown in bar_buttons.cpp).
    void addButton(FrameBar& bar, ToolButtonRow& row);
    // Steps through the tools (horizontal) or the current tool's sizes by
    // one; the arrow keys, as they are released.
    void arrowKey(bool horizontal, std::int32_t delta);

    // Settings as the palettes, dialogs and scripts change them: each stores
    // the value, tells the document and updates the bars.
    void setColour(COLORREF colour);
    void setOpacity(std::uint16_t value);
    void setLineWidth(std::int32_t width);
    // The circular size of the airbrush, smudge or eraser, whichever is
    // selected; false (and nothing changed) for the other tools.
    bool setBrushSize(std::int32_t sizeIndex);
    void setSnapGrid(std::int32_t step);
    void setFontName(std::u16string_view name);
    void setFontSize(std::int32_t size);
    // Each side held to 1..1024; the document is told only when the size
    // changed. True when it changed.
    bool setCanvasSize(std::int64_t width, std::int64_t height);
    // Walks the zoom palette's steps from the current zoom, stopping at
    // either end, keeping the canvas point under view position `keep`.
    void stepZoom(int steps, POINT keep);
    // The eyedropper button: the next stylus release picks a colour.
    void toggleEyedropper();
    // A document command from a menu or button, then the option bar's undo
    // and redo arrows brought up to date.
    void documentCommand(DocCommand command);
    // The size field the selected tool's size button changes: the circular
    // size of the airbrush, smudge or eraser, else null (the square width).
    std::int32_t* brushSizeField();

    // Pop-up palettes (frame_palettes.cpp). `trackPalette` shows the palette
    // at a screen point and returns the chosen item's id (from
    // firstPaletteItem on), 0 when it was dismissed, -1 without a palette.
    std::int32_t trackPalette(PopupPalette* palette, std::int32_t x, std::int32_t y);
    // Where a palette opens for the button of `command` on `bar`: centred
    // under an option-bar button, above a tool-bar button. False when the
    // bar has no such button.
    bool paletteOrigin(const FrameBar* bar, std::int32_t command, POINT& at) const;
    static std::int32_t shapePalette(MainFrame& frame, std::int32_t command);
    static std::int32_t sizePalette(MainFrame& frame, std::int32_t command);
    static std::int32_t snapPalette(MainFrame& frame, std::int32_t command);
    static std::int32_t zoomPalette(MainFrame& frame, std::int32_t command);
    static std::int32_t fontPalette(MainFrame& frame, std::int32_t command);
    static std::int32_t fontSizePalette(MainFrame& frame, std::int32_t command);
    static std::int32_t eyedropperButton(MainFrame& frame, std::int32_t command);
    static std::int32_t undoButton(MainFrame& frame, std::int32_t command);
    static std::int32_t redoButton(MainFrame& frame, std::int32_t command);
    // The colour and opacity buttons' handlers: `chooseColour` and
    // `chooseOpacity` (frame_dialogs.cpp).
    static std::int32_t colourButton(MainFrame& frame, std::int32_t command);
    static std::int32_t opacityButton(MainFrame& frame, std::int32_t command);

    // The modal dialogs of the option bar and the Tools menu, run through
    // `platform::modalDialogs()` and owned by the canvas view. Each tells
    // the document only when its setting changed: the colour picker (the
    // colour button), the opacity slider (the opacity button) and the Canvas
    // Size dialog, which keeps each side within 1..1024.
    void chooseColour();
    void chooseOpacity();
    void chooseCanvasSize();
    // The About box (Tools > About, Control+A): the product picture, the
    // version and the maker's lines, until the user closes it.
    void showAboutBox();

  private:
    // Fits the view between the visible bars.
    void placeView();
};
