#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "canvas/canvas.h"
#include "canvas/raster_image.h"
#include "document/document.h"
#include "document/earlier_states.h"
#include "tools/tool.h"
#include "tools/tool_factory.h"

class MainFrame;

// The kinds of picture file that export and import handle.
enum class ImageKind { ExportJpeg, ExportBitmap, ExportPng, ImportBitmap, ImportJpeg, ImportPng };

// The one document: the picture, the tool receiving input, the history of
// finished tools that can be undone and redone (the latest group, since the
// last flatten) with the earlier states before it, the selection, the
// clipboard and the path of the open file. It never draws pixels itself:
// tools draw through the canvas, and the document decides which tool gets
// which event, when its work becomes permanent and what is redrawn.
class SketchDocument : public Document {
  public:
    SketchDocument();
    ~SketchDocument() override;

    // Document
    void executeCommand(DocCommand command, int argument) override;
    bool canUndo() const override;
    bool canRedo() const override;
    bool canUndoLatestGroup() const override;
    bool canCut() const override;
    bool canCopy() const override;
    bool canDelete() const override;
    bool canPaste() const override;
    bool isModified() const override;
    bool canFlip() const override;
    void pointerMove(POINT point, bool fromAutoScroll) override;
    void pointerButton(POINT point, bool down, bool viewCoordinates, bool continuation) override;
    void charInput(char16_t character) override;
    void redraw(bool withHistory, bool rebuildView, Tool* drawBefore, Tool* drawAfter) override;

    bool attachFrame(MainFrame* mainFrame);
    void clearDocument();
    void setSelection(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    void clearSelection();
    bool isInsideSelection(POINT point) const;
    void applyToolResult(ToolResult result);
    void pushHistory(Tool* tool);
    void flattenHistory();
    void undo();
    void redo();
    void replayHistory(Canvas& target);
    void snapToGrid(POINT& point) const;
    void viewToCanvas(POINT& point) const;

    // File commands. `promptSaveChanges` says whether to go on;
    // `openDocument` and `saveDocument` whether the user cancelled;
    // `saveToPath` and `loadFromPath` whether the file was written or read;
    // `exportImage` and `importImage` whether nothing was done.
    bool promptSaveChanges();
    bool openDocument(const char16_t* path);
    bool saveDocument(bool askName);
    bool saveToPath(const char16_t* path);
    // `saveToPath` without the message, for callers that tell the user
    // what a failure means in their own words.
    bool writeToPath(const char16_t* path);
    bool loadFromPath(const char16_t* path);
    // Reads a sketch file into the canvas. A file saved at another canvas
    // size first gives the canvas that size, losing the picture; `resized`
    // says whether it did, so that a caller can put the old size back.
    bool loadSketchAtItsSize(const char16_t* path, bool& resized);
    bool exportImage(ImageKind kind);
    bool importImage(ImageKind kind);
    // Edit commands.
    void copySelection();
    void cutSelection();
    // Fills the selected area with white as one history entry and drops the
    // selection; the clipboard keeps what it had.
    void eraseSelection();
    void pasteClipboard();
    void flipSelection(bool horizontal);
    void resizeCanvas(bool keepPicture);
    // Gives the frame and the canvas a new size; the picture is lost.
    void setCanvasSize(std::uint16_t width, std::uint16_t height);

    // The rectangle that stands for the selection: the selection itself, or
    // the bounds of an active floating tool. False when there is none.
    bool selectionArea(RECT& area) const;
    // The colour the eraser paints: what the canvas is cleared to.
    COLORREF backgroundColour() const;

    Canvas canvas;
    ToolFactory toolFactory;
    MainFrame* frame = nullptr;
    std::unique_ptr<RasterImage> clipboard;
    Tool* historyHead = nullptr;
    Tool* activeTool = nullptr;
    Tool* historyCursor = nullptr;
    // What the flattens before the latest group changed, step by step.
    EarlierStates earlierStates;
    std::uint16_t selectionActive = 0;
    bool modified = false;
    RECT selection{};
    // The sketch file last saved or loaded, whole however long; empty when
    // there is none.
    std::u16string documentPath;

  private:
    void releaseTool(Tool*& tool);
    void placeFloatingImage(Tool* tool);
    Tool* acquireForButton(POINT point, bool& flattenFirst, COLORREF& colour);
    // Gives the active tool the stylus position in canvas pixels, handing the
    // stroke on to new tools while their point lists fill up.
    void strokeTo(POINT stylus, bool fromAutoScroll);
    // Starts the next tool of a stroke at `from`, the last stamp of `ended`.
    void continueStroke(POINT from, const Tool& ended);
};
