#include "app/frame/frame_bar.h"
#include "app/frame/main_frame.h"
#include "app/frame/pictures/picture_library.h"
#include "app/frame/size_lists.h"
#include "document/document.h"
#include "platform/gdi/bitmap.h"

namespace {

// Adds a picture with its mask to the bar's image list; -1 when either
// cannot be loaded or added. The loaded copies are freed again: the bar
// keeps its own.
std::int32_t addMaskedImage(FrameBar& bar, std::int32_t bitmap, std::int32_t mask) {
    const auto picture = loadPicture(bitmap);
    const auto maskPicture = loadPicture(mask);
    if (!picture || !maskPicture) return -1;
    return bar.addImage(bitmap, *picture, maskPicture.get());
}

}  // namespace

void MainFrame::addButton(FrameBar& bar, ToolButtonRow& row) {
    row.lastGroupMember = row.groupCommand;
    row.image = addMaskedImage(bar, row.bitmap, row.mask);
    if (row.image < 0) return;
    if (row.selectedBitmap >= 0)
        row.selectedImage = addMaskedImage(bar, row.selectedBitmap, row.selectedMask);
    // The members of a group share their head's button.
    if (row.command == row.groupCommand)
        bar.addButton(row.command, row.image, std::int32_t(std::uint16_t(row.buttonIndex)));
}

void MainFrame::arrowKey(bool horizontal, std::int32_t delta) {
    const int row = findToolRow(toolButtons, currentTool);
    if (row < 0) return;

    if (horizontal) {
        // Every tool in table order, group members one by one, wrapping
        // round at both ends.
        const int lastRow = int(toolButtonRows) - 2;
        int next = row + delta;
        if (next < 0) next = lastRow;
        if (next > lastRow) next = 0;
        selectTool(std::uint16_t(toolButtons[std::size_t(next)].buttonIndex));
        return;
    }

    if (!toolButtons[std::size_t(row)].optionMask[SizeOption]) return;
    std::int32_t* circular = brushSizeField();
    std::int32_t& size = circular ? *circular : lineWidth;
    // The size stops at the ends of its list.
    const std::int32_t candidate = size + delta;
    if (sizeListHas(circular ? circularSizes : squareWidths, candidate)) size = candidate;
    // The document hears of every step, even one that hit the end.
    if (document) document->executeCommand(DocCommand::SizeStepped, 0);
}
