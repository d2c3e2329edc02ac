#include <algorithm>

#include "app/frame/frame_bar.h"
#include "app/frame/main_frame.h"
#include "app/frame/pictures/picture_library.h"
#include "platform/gdi/bitmap.h"

namespace {

// The tool bar sits this far above the client area's bottom edge, and the
// option bar this far above its top edge, hiding the bars' outer borders.
constexpr std::int32_t toolBarLift = 3;
constexpr std::int32_t optionBarLift = 2;

// The menu bar's picture buttons, and the bars they show and hide.
struct BarToggle {
    std::int32_t command;
    std::int32_t picture;
};
constexpr BarToggle barToggles[] = {
    {MenuCommand::ToggleToolBar, PictureId::ToolBarToggle},
    {MenuCommand::ToggleOptionBar, PictureId::OptionBarToggle},
};

RECT clientOf(const FrameMainWindow* window) {
    return window ? window->clientRect() : RECT{};
}

}  // namespace

bool MainFrame::create(const Windows& windows, std::uint16_t width, std::uint16_t height) {
    mainWindow = windows.mainWindow;
    menuBar = windows.menuBar;
    scrollBars = windows.scrollBars;
    canvasWidth = width;
    canvasHeight = height;
    const RECT client = clientOf(mainWindow);
    const std::int32_t clientWidth = client.right - client.left;

    if (windows.toolBar) {
        toolBar = windows.toolBar;
        for (ToolButtonRow& row : toolButtons) {
            if (row.command == -1) break;
            addButton(*toolBar, row);
        }
        // The pencil is pressed from the start.
        selectTool(currentTool);
        toolBar->place(0, client.bottom - toolBar->height() - toolBarLift, clientWidth,
                       toolBar->height());
        toolBar->setVisible(false);
    }
    if (windows.optionBar) {
        optionBar = windows.optionBar;
        for (ToolButtonRow& row : optionButtons) {
            if (row.command == -1) break;
            addButton(*optionBar, row);
        }
        optionBar->place(0, -optionBarLift, clientWidth, optionBar->height());
        optionBar->setVisible(false);
        updateColourButton();
    }
    if (menuBar) {
        for (const BarToggle& toggle : barToggles) {
            // These two pictures have no mask of their own: it comes from
            // their transparent pixels.
            const auto picture = loadPicture(toggle.picture);
            const auto mask = loadPictureMask(toggle.picture);
            if (!picture || !mask) continue;
            const std::int32_t image = menuBar->addImage(toggle.picture, *picture, mask.get());
            if (image != -1) menuBar->addButton(toggle.command, image, 0);
        }
    }

    if (!windows.canvasView) return false;
    canvasWindow = windows.canvasView;
    // Provisional: start-up shows the bars next, which fits the view between them.
    if (mainWindow) mainWindow->placeCanvasView(client);
    updateScrollRange();
    return true;
}

void MainFrame::toggleBar(std::int32_t command) {
    if (!menuBar || !menuBar->hasButton(command)) return;
    FrameBar* bar = command == MenuCommand::ToggleToolBar     ? toolBar
                    : command == MenuCommand::ToggleOptionBar ? optionBar
                                                              : nullptr;
    if (!bar) return;
    if (bar->isVisible()) {
        bar->setVisible(false);
        menuBar->setButtonPressed(command, false);
    } else {
        bar->setVisible(true);
        menuBar->setButtonPressed(command, true);
        updateOptionBar();
    }
    placeView();
    updateScrollRange();
}

void MainFrame::layout() {
    if (!toolBar) {
        updateScrollRange();
        return;
    }
    const RECT client = clientOf(mainWindow);
    toolBar->place(0, client.bottom - toolBar->height() - toolBarLift, client.right - client.left,
                   toolBar->height());
    if (canvasWindow) placeView();
    updateScrollRange();
}

void MainFrame::placeView() {
    if (!mainWindow) return;
    RECT area = mainWindow->clientRect();
    // Showing or hiding a bar and resizing the window lay the view out by this
    // one rule, so a bar shown again gives back the very rectangle it took.
    if (optionBar && optionBar->isVisible()) area.top = optionBar->height() + 1;
    // The view runs one row under the tool bar's top edge, which the bar
    // covers anyway.
    if (toolBar && toolBar->isVisible()) area.bottom -= toolBar->height() - 1;
    // A main window too small for both bars leaves the view empty.
    area.bottom = std::max(area.bottom, area.top);
    mainWindow->placeCanvasView(area);
}
