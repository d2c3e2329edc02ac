#include <algorithm>

#include "app/frame/main_frame.h"
#include "document/sketch_document.h"

// The tool for the frame's tool button, or null for buttons that start
// none. The eraser is the mask brush painting the background colour; the
// selection button moves the selection when the stylus lands inside it.
Tool* SketchDocument::acquireForButton(POINT point, bool& flattenFirst, COLORREF& colour) {
    switch (frame->currentTool) {
        case ToolButton::Pencil:
            return toolFactory.acquire(*this, ToolId::Brush);
        case ToolButton::Line:
            return toolFactory.acquire(*this, ToolId::Line);
        case ToolButton::Rectangle:
            return toolFactory.acquire(*this, ToolId::Rectangle);
        case ToolButton::FilledRectangle:
            return toolFactory.acquire(*this, ToolId::FilledRectangle);
        case ToolButton::Ellipse:
            return toolFactory.acquire(*this, ToolId::Ellipse);
        case ToolButton::FilledEllipse:
            return toolFactory.acquire(*this, ToolId::FilledEllipse);
        case ToolButton::Airbrush:
            return toolFactory.acquire(*this, ToolId::MaskBrush);
        case ToolButton::Smudge:
            return toolFactory.acquire(*this, ToolId::Smudge);
        case ToolButton::Eraser:
            colour = backgroundColour();
            return toolFactory.acquire(*this, ToolId::MaskBrush);
        case ToolButton::Selection:
            if (isInsideSelection(point)) {
                Tool* move = toolFactory.acquire(*this, ToolId::MoveSelection);
                if (move) move->setBounds(selection);
                return move;
            }
            // A new selection keeps the history: selecting is no change.
            flattenFirst = false;
            return toolFactory.acquire(*this, ToolId::Select);
        case ToolButton::Text:
            return toolFactory.acquire(*this, ToolId::Text);
        case ToolButton::Fill:
            return toolFactory.acquire(*this, ToolId::Fill);
        default:
            return nullptr;
    }
}

void SketchDocument::pointerButton(POINT point, bool down, bool viewCoordinates,
                                   bool continuation) {
    if (!frame) return;
    POINT p = point;
    if (viewCoordinates) {
        snapToGrid(p);
        viewToCanvas(p);
    }
    if (!down) {
        if (frame->optionToggle) {
            frame->currentColour = canvas.pixelAt(p);
            frame->updateColourButton();
            frame->optionToggle = false;
            frame->updateOptionBar();
        } else if (activeTool) {
            // The stylus may lift further along the path than the point list
            // has room for: the way there is taken first, through as many
            // tools as it needs.
            if (activeTool->joinsStylusPath(*this)) strokeTo(p, false);
            if (activeTool) applyToolResult(activeTool->onPointerButton(*this, p, false));
            frame->updateOptionBar();
        }
        if (!continuation) frame->setCapture(false);
        return;
    }

    if (!frame->optionToggle) {
        if (activeTool) applyToolResult(activeTool->onPointerButton(*this, p, true));
        if (!activeTool) {
            const bool hadSelection = selectionActive != 0;
            bool flattenFirst = !continuation;
            COLORREF colour = frame->currentColour;
            Tool* tool = acquireForButton(p, flattenFirst, colour);
            if (flattenFirst) flattenHistory();
            if (tool) {
                tool->setColour(colour);
                activeTool = tool;
                ToolResult result = tool->onPointerButton(*this, p, true);
                if (hadSelection) {
                    clearSelection();
                    result |= ToolResult::Refresh;
                }
                applyToolResult(result);
            }
        }
    }
    frame->updateOptionBar();
    if (!continuation) frame->setCapture(true);
}

void SketchDocument::pointerMove(POINT point, bool fromAutoScroll) {
    if (!frame) return;
    if (!activeTool) {
        // A stylus that is already down when the tool changed starts the new one here.
        if (frame->currentTool != ToolButton::Fill) pointerButton(point, true, true, false);
        return;
    }
    POINT p = point;
    if (!fromAutoScroll) {
        RECT view;
        frame->getViewRect(view);
        p.x = std::max(0, std::min(p.x, view.right - 1));
        p.y = std::max(0, std::min(p.y, view.bottom - 1));
    }
    snapToGrid(p);
    viewToCanvas(p);
    strokeTo(p, fromAutoScroll);
}

void SketchDocument::strokeTo(POINT stylus, bool fromAutoScroll) {
    // A line across the largest canvas fills a handful of lists; the bound
    // only keeps a runaway tool from holding the program.
    constexpr int maxHandOvers = 4096;
    for (int handOvers = 0; activeTool && handOvers < maxHandOvers; ++handOvers) {
        Tool* tool = activeTool;
        POINT p = stylus;
        int consumed = 0;
        applyToolResult(tool->onPointerMove(*this, &p, 1, &consumed));
        if (activeTool) return;
        if (consumed != 0) {
            // A tool that took the point and ended: the stylus, still down
            // under auto-scroll, starts the next one where it is.
            if (fromAutoScroll) continueStroke(p, *tool);
            return;
        }
        // The tool's point list filled up and it ended itself at `p`, its
        // last stamp; a new tool goes on from there and is given the stylus
        // position again, so no stretch of the path is lost.
        continueStroke(p, *tool);
    }
}

void SketchDocument::continueStroke(POINT from, const Tool& ended) {
    if (frame->optionToggle) return;
    bool flattenFirst = false;
    COLORREF colour = frame->currentColour;
    Tool* tool = acquireForButton(from, flattenFirst, colour);
    if (!tool) return;
    tool->setColour(colour);
    activeTool = tool;
    if (tool->toolId() == ended.toolId()) tool->continueStroke(ended);
    applyToolResult(tool->onPointerButton(*this, from, true));
    frame->updateOptionBar();
}

void SketchDocument::charInput(char16_t character) {
    if (activeTool) applyToolResult(activeTool->onChar(*this, character));
}
