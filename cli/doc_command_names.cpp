#include "cli/doc_command_names.h"

#include <utility>

std::optional<DocCommand> docCommandNamed(std::string_view name) {
    static constexpr std::pair<std::string_view, DocCommand> names[] = {
        {"Redo", DocCommand::Redo},
        {"Undo", DocCommand::Undo},
        {"New", DocCommand::New},
        {"Save", DocCommand::Save},
        {"SaveAs", DocCommand::SaveAs},
        {"Open", DocCommand::Open},
        {"ExportJpeg", DocCommand::ExportJpeg},
        {"ExportBitmap", DocCommand::ExportBitmap},
        {"ImportBitmap", DocCommand::ImportBitmap},
        {"ImportJpeg", DocCommand::ImportJpeg},
        {"ExportPng", DocCommand::ExportPng},
        {"ImportPng", DocCommand::ImportPng},
        {"Delete", DocCommand::Delete},
        {"Deselect", DocCommand::Deselect},
        {"Cut", DocCommand::Cut},
        {"Copy", DocCommand::Copy},
        {"Paste", DocCommand::Paste},
        {"FontFaceChanged", DocCommand::FontFaceChanged},
        {"FontSizeChanged", DocCommand::FontSizeChanged},
        {"ToolChanged", DocCommand::ToolChanged},
        {"ZoomChanged", DocCommand::ZoomChanged},
        {"BrushSizeChanged", DocCommand::BrushSizeChanged},
        {"ColourChanged", DocCommand::ColourChanged},
        {"GridChanged", DocCommand::GridChanged},
        {"FlipHorizontal", DocCommand::FlipHorizontal},
        {"FlipVertical", DocCommand::FlipVertical},
        {"OpacityChanged", DocCommand::OpacityChanged},
        {"CanvasSizeChanged", DocCommand::CanvasSizeChanged},
        {"SizeStepped", DocCommand::SizeStepped},
    };
    for (const auto& [text, command] : names)
        if (text == name) return command;
    return std::nullopt;
}
