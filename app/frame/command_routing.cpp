#include "app/frame/frame_bar.h"
#include "app/frame/main_frame.h"
#include "document/document.h"
#include "platform/clipboard/system_clipboard.h"

namespace {

// The menu commands that go straight to the document.
struct FixedCommand {
    std::int32_t command;
    DocCommand docCommand;
};
constexpr FixedCommand editCommands[] = {
    {MenuCommand::Undo, DocCommand::Undo},
    {MenuCommand::Redo, DocCommand::Redo},
    {MenuCommand::Copy, DocCommand::Copy},
    {MenuCommand::Cut, DocCommand::Cut},
    {MenuCommand::Paste, DocCommand::Paste},
    {MenuCommand::Delete, DocCommand::Delete},
    {MenuCommand::Deselect, DocCommand::Deselect},
    {MenuCommand::ExportBitmap, DocCommand::ExportBitmap},
    {MenuCommand::ImportBitmap, DocCommand::ImportBitmap},
    {MenuCommand::FlipHorizontal, DocCommand::FlipHorizontal},
    {MenuCommand::FlipVertical, DocCommand::FlipVertical},
    {MenuCommand::ImportJpeg, DocCommand::ImportJpeg},
    {MenuCommand::ExportJpeg, DocCommand::ExportJpeg},
    {MenuCommand::ImportPng, DocCommand::ImportPng},
    {MenuCommand::ExportPng, DocCommand::ExportPng},
};
// These reach the document but count as not handled, so the undo and redo
// arrows stay as they were and the shell's default handling still runs.
constexpr FixedCommand fileCommands[] = {
    {MenuCommand::Open, DocCommand::Open},
    {MenuCommand::Save, DocCommand::Save},
    {MenuCommand::New, DocCommand::New},
    {MenuCommand::SaveAs, DocCommand::SaveAs},
};

}  // namespace

bool MainFrame::mainWindowCommand(std::int32_t command) {
    if (command == MenuCommand::About) {
        showAboutBox();
        return true;
    }
    if (command == MenuCommand::ToggleToolBar || command == MenuCommand::ToggleOptionBar) {
        toggleBar(command);
        return true;
    }
    return routeCommand(command);
}

bool MainFrame::routeCommand(std::int32_t command) {
    for (const FixedCommand& fixed : fileCommands) {
        if (fixed.command != command) continue;
        if (document) document->executeCommand(fixed.docCommand, 0);
        return false;
    }

    bool handled = false;
    for (const FixedCommand& fixed : editCommands) {
        if (fixed.command != command) continue;
        documentCommand(fixed.docCommand);
        handled = true;
        break;
    }
    if (!handled && command == MenuCommand::CanvasSize) {
        chooseCanvasSize();
        handled = true;
    }

    if (!handled) {
        for (ToolButtonRow& row : toolButtons) {
            if (row.command == -1) break;
            if (row.command != command) continue;
            handled = true;
            if (!row.handler) {
                selectTool(std::uint16_t(row.buttonIndex));
                break;
            }
            // A group's palette: the chosen member, or the one chosen last
            // when the palette was dismissed.
            std::int32_t chosen = row.handler(*this, command);
            if (chosen == -1) chosen = row.lastGroupMember;
            if (chosen < 0) break;
            for (const ToolButtonRow& member : toolButtons) {
                if (member.command == -1) break;
                if (member.command == chosen) {
                    selectTool(std::uint16_t(member.buttonIndex));
                    break;
                }
            }
            break;
        }
    }
    if (!handled) {
        for (const ToolButtonRow& row : optionButtons) {
            if (row.command == -1) break;
            if (row.command != command) continue;
            if (row.handler) row.handler(*this, command);
            handled = true;
            break;
        }
    }

    if (handled) {
        setButtonEnabled(optionBar, OptionCommand::Undo, document && document->canUndo());
        setButtonEnabled(optionBar, OptionCommand::Redo, document && document->canRedo());
    }
    return handled;
}

void MainFrame::enableMenuItems(MenuEnabling& menu) {
    const bool flip = document && document->canFlip();
    menu.enableItem(MenuCommand::FlipHorizontal, flip);
    menu.enableItem(MenuCommand::FlipVertical, flip);
    menu.enableItem(MenuCommand::Undo, document && document->canUndo());
    menu.enableItem(MenuCommand::Redo, document && document->canRedo());
    menu.enableItem(MenuCommand::Cut, document && document->canCut());
    menu.enableItem(MenuCommand::Copy, document && document->canCopy());
    menu.enableItem(MenuCommand::Delete, document && document->canDelete());
    menu.enableItem(MenuCommand::Deselect, document && document->canDelete());
    // Paste takes another program's picture as readily as the program's own.
    menu.enableItem(MenuCommand::Paste,
                    document && (document->canPaste() ||
                                 platform::systemClipboard().holdsOtherProgramsImage()));
    menu.enableItem(MenuCommand::Save, document && document->isModified());
}
