#pragma once

// What the shell asks of the document. Setting changes (font, tool, zoom,
// size, colour, grid, opacity) are announced after the frame has stored the
// new value; the rest are commands the document carries out.
enum class DocCommand : int {
    Redo = 1,
    Undo = 2,
    New = 3,
    Save = 4,
    SaveAs = 5,
    Open = 6,
    ExportJpeg = 7,
    ExportBitmap = 8,
    ImportBitmap = 9,
    ImportJpeg = 10,
    Cut = 11,
    Copy = 12,
    Paste = 13,
    FontFaceChanged = 14,
    FontSizeChanged = 15,
    ToolChanged = 16,
    ZoomChanged = 17,
    BrushSizeChanged = 18,
    ColourChanged = 19,
    GridChanged = 20,
    FlipHorizontal = 21,
    FlipVertical = 22,
    OpacityChanged = 23,
    CanvasSizeChanged = 24,
    SizeStepped = 25,
    ExportPng = 26,
    ImportPng = 27,
};
