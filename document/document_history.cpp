#include "app/frame/main_frame.h"
#include "document/sketch_document.h"

void SketchDocument::applyToolResult(ToolResult result) {
    ToolResult r = result & ToolResult(0xFFFF);
    if (r == ToolResult::None) return;
    if (has(r, ToolResult::Discard)) {
        if (activeTool) releaseTool(activeTool);
        r |= ToolResult::Refresh;
    }
    Tool* replay = has(r, ToolResult::Replay) ? activeTool : nullptr;
    if (has(r, ToolResult::RefreshAll))
        redraw(true, true, nullptr, activeTool);
    else if (has(r, ToolResult::Refresh))
        redraw(false, true, replay, activeTool);
    else if (has(r, ToolResult::Replay | ToolResult::Draw))
        redraw(false, false, replay, has(r, ToolResult::Draw) ? activeTool : nullptr);

    if (has(r, ToolResult::Commit) && activeTool) {
        Tool* committed = activeTool;
        pushHistory(committed);
        activeTool = nullptr;
        if (!has(r, ToolResult::RefreshAll | ToolResult::Quiet))
            redraw(false, true, committed, nullptr);
    }
}

void SketchDocument::pushHistory(Tool* tool) {
    // Whatever was undone is gone once something new is done.
    Tool* tail;
    if (historyCursor) {
        tail = historyCursor->next;
        historyCursor->next = nullptr;
    } else {
        tail = historyHead;
        historyHead = nullptr;
    }
    while (tail) {
        Tool* following = tail->next;
        toolFactory.release(*this, tail);
        tail = following;
    }
    earlierStates.dropRedo();
    tool->next = nullptr;
    if (historyHead) {
        historyCursor->next = tool;
        tool->prev = historyCursor;
    } else {
        tool->prev = nullptr;
        historyHead = tool;
    }
    historyCursor = tool;
    modified = true;
}

void SketchDocument::flattenHistory() {
    // Only pending work makes the drawing unsaved: a flatten before Open or
    // Save of a drawing untouched since New, start-up or its last save
    // changes nothing.
    const bool hadWork = activeTool || historyHead;
    if (activeTool) {
        applyToolResult(activeTool->finish(*this));
        if (activeTool) releaseTool(activeTool);
    }
    // What the applied entries changed is kept as an earlier state: the
    // committed pixels where the live picture differs, before and after the
    // sync. Comparing the pictures rather than trusting each entry's bounds
    // keeps every changed pixel.
    const bool recording = historyCursor && earlierStates.begin(canvas);
    // Undone entries are synced too: their area of the live picture was
    // restored from the committed picture, so copying it back changes nothing.
    for (Tool* entry = historyHead; entry;) {
        Tool* following = entry->next;
        entry->syncPictures(*this, true);
        toolFactory.release(*this, entry);
        entry = following;
    }
    historyHead = historyCursor = nullptr;
    if (recording) earlierStates.end(canvas);
    if (hadWork) modified = true;
}

void SketchDocument::undo() {
    if (!canUndo()) return;
    clearSelection();
    if (activeTool) {
        applyToolResult(ToolResult::Discard);
    } else if (historyCursor) {
        while (historyCursor) {
            historyCursor->onUndo(*this);
            historyCursor->syncPictures(*this, false);
            historyCursor = historyCursor->prev;
        }
        redraw(false, true, nullptr, nullptr);
    } else {
        // The latest group is undone or empty: one step further back.
        earlierStates.undo(canvas);
        redraw(false, true, nullptr, nullptr);
    }
    modified = true;
}

void SketchDocument::redo() {
    if (!canRedo()) return;
    // The earlier states come back first, in order; the latest group, which
    // was drawn over the last of them, after them.
    if (earlierStates.canRedo()) {
        earlierStates.redo(canvas);
        redraw(false, true, nullptr, nullptr);
        modified = true;
        return;
    }
    for (Tool* entry = historyCursor ? historyCursor->next : historyHead; entry;
         entry = entry->next) {
        historyCursor = entry;
        entry->onRedo(*this);
    }
    redraw(true, true, nullptr, nullptr);
    modified = true;
}

void SketchDocument::replayHistory(Canvas& target) {
    if (!historyCursor) return;
    for (Tool* entry = historyHead; entry; entry = entry->next) {
        if (!entry->hasFlag(ToolFlags::NoPixels) && !entry->hasFlag(ToolFlags::Suppressed))
            entry->draw(*this, target, DrawFlags::IntoPicture | DrawFlags::ViewRebuilt);
        if (entry == historyCursor) break;
    }
}

void SketchDocument::redraw(bool withHistory, bool rebuildView, Tool* drawBefore, Tool* drawAfter) {
    if (!frame) return;
    const bool overlay =
        selectionActive || (activeTool && activeTool->hasFlag(ToolFlags::Floating));
    RECT client;
    frame->getViewRect(client);
    const auto scrollX = frame->scrollX, scrollY = frame->scrollY;
    const auto zoom = std::int16_t(frame->zoomShift);

    canvas.beginRender(overlay, scrollX, scrollY, zoom, &client, &client, false);
    if (withHistory) replayHistory(canvas);
    if (drawBefore) drawBefore->draw(*this, canvas, DrawFlags::IntoPicture);
    const bool rebuilt = rebuildView || !activeTool || activeTool->hasFlag(ToolFlags::RedrawWhole);
    canvas.setViewTransform(rebuildView, rebuilt, scrollX, scrollY, zoom, &client, &client);
    const DrawFlags viewFlags = rebuilt ? DrawFlags::ViewRebuilt : DrawFlags::None;
    if (drawAfter) drawAfter->draw(*this, canvas, viewFlags);
    if (rebuildView && activeTool && activeTool != drawAfter)
        activeTool->draw(*this, canvas, viewFlags);
    if (overlay) {
        canvas.composeZoom();
        if (selectionActive)
            canvas.drawSelectionFrame(selection);
        else
            activeTool->draw(*this, canvas, DrawFlags::FrameOnly);
    }
    canvas.endRender();
}
