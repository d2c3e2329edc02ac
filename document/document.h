#pragma once

#include "document/doc_command.h"
#include "platform/gdi/types.h"

class Tool;

// The document as the shell sees it: commands, the enabling of menu items
// and buttons, and the stylus, character and paint events of the canvas view.
class Document {
  public:
    virtual ~Document() = default;

    virtual void executeCommand(DocCommand command, int argument) = 0;
    virtual bool canUndo() const = 0;
    virtual bool canRedo() const = 0;
    // Whether the latest group of changes (rather than an earlier state)
    // is what an undo would take back.
    virtual bool canUndoLatestGroup() const { return canUndo(); }
    virtual bool canCut() const = 0;
    virtual bool canCopy() const = 0;
    // Whether Delete would clear a selected area: not while text is typed.
    virtual bool canDelete() const { return canCut(); }
    virtual bool canPaste() const = 0;
    virtual bool isModified() const = 0;
    virtual bool canFlip() const = 0;
    virtual void pointerMove(POINT point, bool fromAutoScroll) = 0;
    virtual void pointerButton(POINT point, bool down, bool viewCoordinates, bool continuation) = 0;
    virtual void charInput(char16_t character) = 0;
    virtual void redraw(bool withHistory, bool rebuildView, Tool* drawBefore, Tool* drawAfter) = 0;
};
