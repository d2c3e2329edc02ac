#include "app/frame/main_frame.h"

#include <algorithm>

#include "app/frame/frame_bar.h"
#include "app/frame/pictures/picture_library.h"
#include "app/frame/view_geometry.h"
#include "document/document.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/surface.h"
#include "platform/window/window.h"

namespace {

int optionSlot(std::int32_t command) {
    switch (command) {
        case OptionCommand::Size:
            return SizeOption;
        case OptionCommand::Opacity:
            return OpacityOption;
        case OptionCommand::Colour:
            return ColourOption;
        case OptionCommand::Font:
            return FontOption;
        case OptionCommand::FontSize:
            return FontSizeOption;
        default:
            return -1;
    }
}

int clampedSizeIndex(std::int32_t index) {
    return std::clamp(index, 0, maskShapeCount - 1);
}

constexpr RECT swatchColourArea{2, 3, 16, 8};

}  // namespace

MainFrame::MainFrame() = default;
MainFrame::~MainFrame() = default;

std::uint8_t MainFrame::optionUsed(std::int32_t command) const {
    const int slot = optionSlot(command);
    if (slot < 0 || currentToolRow < 0) return 1;
    return toolButtons[std::size_t(currentToolRow)].optionMask[slot];
}

std::uint16_t MainFrame::currentOpacity() const {
    return optionUsed(OptionCommand::Opacity) ? opacity : 127;
}

const MaskShape* MainFrame::lineStyleEntry() const {
    if (currentTool == ToolButton::Eraser) return &eraserShapes[clampedSizeIndex(eraserSizeIndex)];
    return &airbrushShapes[clampedSizeIndex(airbrushSizeIndex)];
}

void MainFrame::getViewRect(RECT& rect) const {
    rect = canvasWindow ? canvasWindow->clientRect() : RECT{};
}

void MainFrame::setCapture(bool capture) {
    if (canvasWindow) canvasWindow->setCapture(capture);
}

void MainFrame::resetScroll() {
    if (scrollBars) {
        scrollBars->setPosition(true, 0);
        scrollBars->setPosition(false, 0);
    }
    scrollX = scrollY = 0;
    if (canvasWindow) canvasWindow->invalidate(nullptr);
}

void MainFrame::updateScrollRange(const RECT* viewRect) {
    RECT view;
    if (viewRect)
        view = *viewRect;
    else
        getViewRect(view);
    maxScrollX = maxScrollFor(contentExtent(canvasWidth, zoomShift), view.right - view.left);
    maxScrollY = maxScrollFor(contentExtent(canvasHeight, zoomShift), view.bottom - view.top);
    scrollX = std::int16_t(clampScroll(scrollX, maxScrollX));
    scrollY = std::int16_t(clampScroll(scrollY, maxScrollY));
    if (scrollBars) {
        scrollBars->setRange(true, maxScrollX, scrollX, maxScrollX >= 1);
        scrollBars->setRange(false, maxScrollY, scrollY, maxScrollY >= 1);
    }
    if (canvasWindow) canvasWindow->invalidate(nullptr);
}

void MainFrame::setButtonEnabled(FrameBar* bar, std::int32_t command, bool enabled) {
    if (bar && bar->isButtonEnabled(command) != enabled) bar->setButtonEnabled(command, enabled);
}

void MainFrame::updateOptionBar() {
    for (std::int32_t command : {OptionCommand::Size, OptionCommand::Opacity, OptionCommand::Colour,
                                 OptionCommand::Font, OptionCommand::FontSize})
        setButtonEnabled(optionBar, command, optionUsed(command) != 0);
    if (!optionBar) return;
    // One arrow at a time: undo while the latest group can be undone, else
    // redo. Earlier states are reached through Edit > Undo and its keys.
    if (document) {
        if (document->canUndoLatestGroup()) {
            optionBar->setButtonVisible(OptionCommand::Redo, false);
            optionBar->setButtonVisible(OptionCommand::Undo, true);
            setButtonEnabled(optionBar, OptionCommand::Undo, true);
        } else {
            optionBar->setButtonVisible(OptionCommand::Undo, false);
            optionBar->setButtonVisible(OptionCommand::Redo, true);
            setButtonEnabled(optionBar, OptionCommand::Redo, document->canRedo());
        }
    }
    optionBar->setButtonPressed(OptionCommand::Eyedropper, optionToggle);
}

void MainFrame::updateColourButton() {
    if (!optionBar) return;
    if (colourButtonImage == -1) {
        colourButtonBitmap = loadPicture(PictureId::SwatchFrame);
    } else {
        optionBar->removeImage(optionBar->buttonImage(OptionCommand::Colour));
    }
    if (!colourButtonBitmap) return;
    platform::Surface(colourButtonBitmap.get())
        .fillRect(swatchColourArea, platform::Brush::solid(currentColour));
    const auto mask = loadPicture(PictureId::SwatchMask);
    colourButtonImage =
        optionBar->addImage(PictureId::SwatchFrame, *colourButtonBitmap, mask.get());
    if (colourButtonImage != -1)
        optionBar->setButtonImage(OptionCommand::Colour, colourButtonImage);
}

bool MainFrame::selectTool(std::uint16_t index) {
    // Choosing a tool, even the current one, ends the eyedropper, and its
    // button must stop looking pressed with it.
    if (optionToggle) {
        optionToggle = false;
        updateOptionBar();
    }
    const int row = findToolRow(toolButtons, index);
    if (row < 0) return false;
    ToolButtonRow& chosen = toolButtons[std::size_t(row)];
    if (index != currentTool || currentToolRow == -1) {
        if (currentToolRow != -1 && toolBar) {
            const ToolButtonRow& old = toolButtons[std::size_t(currentToolRow)];
            toolBar->setButtonImage(old.groupCommand, old.image);
            toolBar->setButtonPressed(old.groupCommand, false);
        }
        if (toolBar) toolBar->setButtonImage(chosen.groupCommand, chosen.selectedImage);
        currentToolRow = row;
        currentTool = index;
        if (document) document->executeCommand(DocCommand::ToolChanged, 0);
        updateOptionBar();
    }
    if (toolBar) toolBar->setButtonPressed(chosen.groupCommand, true);
    // The group button remembers its last member, so dismissing the group's
    // palette picks it again.
    for (ToolButtonRow& head : toolButtons) {
        if (head.buttonIndex == endOfTableIndex) break;
        if (head.command == chosen.groupCommand) {
            head.lastGroupMember = chosen.command;
            chosen.lastGroupMember = chosen.command;
            break;
        }
    }
    return true;
}
