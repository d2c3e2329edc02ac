#include "app/frame/main_frame.h"
#include "document/sketch_document.h"

namespace {

// Tools that live on through a change of tool, zoom or grid: the user is
// still placing them.
bool survivesViewChanges(const Tool& tool) {
    const ToolId id = tool.toolId();
    return id == ToolId::FloatingImage || id == ToolId::MoveSelection || id == ToolId::Text;
}

}  // namespace

void SketchDocument::executeCommand(DocCommand command, int) {
    if (activeTool) {
        switch (command) {
            case DocCommand::FontFaceChanged:
                applyToolResult(activeTool->onSettingChanged(*this, ToolSetting::FontFace));
                break;
            case DocCommand::FontSizeChanged:
                applyToolResult(activeTool->onSettingChanged(*this, ToolSetting::FontSize));
                break;
            case DocCommand::BrushSizeChanged:
                applyToolResult(activeTool->onSettingChanged(*this, ToolSetting::BrushSize));
                break;
            case DocCommand::ColourChanged:
                applyToolResult(activeTool->onSettingChanged(*this, ToolSetting::Colour));
                break;
            case DocCommand::ToolChanged:
            case DocCommand::ZoomChanged:
            case DocCommand::GridChanged:
                if (survivesViewChanges(*activeTool)) break;
                applyToolResult(activeTool->finish(*this));
                break;
            default:
                applyToolResult(activeTool->finish(*this));
                break;
        }
    }

    switch (command) {
        case DocCommand::Redo:
            redo();
            break;
        case DocCommand::Undo:
            undo();
            break;
        case DocCommand::New:
            if (promptSaveChanges()) {
                clearDocument();
                redraw(true, true, nullptr, nullptr);
            }
            break;
        case DocCommand::Save:
            saveDocument(false);
            break;
        case DocCommand::SaveAs:
            saveDocument(true);
            break;
        case DocCommand::Open:
            openDocument(nullptr);
            break;
        case DocCommand::ExportJpeg:
            exportImage(ImageKind::ExportJpeg);
            break;
        case DocCommand::ExportBitmap:
            exportImage(ImageKind::ExportBitmap);
            break;
        case DocCommand::ImportBitmap:
            importImage(ImageKind::ImportBitmap);
            break;
        case DocCommand::ImportJpeg:
            importImage(ImageKind::ImportJpeg);
            break;
        case DocCommand::ExportPng:
            exportImage(ImageKind::ExportPng);
            break;
        case DocCommand::ImportPng:
            importImage(ImageKind::ImportPng);
            break;
        case DocCommand::Cut:
            cutSelection();
            break;
        case DocCommand::Delete:
            eraseSelection();
            break;
        case DocCommand::Deselect:
            // Whatever floated was put down above and became the selection.
            if (selectionActive) {
                clearSelection();
                redraw(false, true, nullptr, nullptr);
            }
            break;
        case DocCommand::Copy:
            copySelection();
            break;
        case DocCommand::Paste:
            pasteClipboard();
            break;
        case DocCommand::ZoomChanged:
            redraw(false, true, nullptr, nullptr);
            break;
        case DocCommand::FlipHorizontal:
            flipSelection(true);
            break;
        case DocCommand::FlipVertical:
            flipSelection(false);
            break;
        case DocCommand::CanvasSizeChanged:
            resizeCanvas(true);
            break;
        default:
            break;
    }
}
