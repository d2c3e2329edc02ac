#pragma once

#include "document/document.h"

// A document that answers no to every question and ignores every event;
// frame tests derive from it and override only what they record.
class QuietDocument : public Document {
  public:
    void executeCommand(DocCommand, int) override {}
    bool canUndo() const override { return false; }
    bool canRedo() const override { return false; }
    bool canCut() const override { return false; }
    bool canCopy() const override { return false; }
    bool canPaste() const override { return false; }
    bool isModified() const override { return false; }
    bool canFlip() const override { return false; }
    void pointerMove(POINT, bool) override {}
    void pointerButton(POINT, bool, bool, bool) override {}
    void charInput(char16_t) override {}
    void redraw(bool, bool, Tool*, Tool*) override {}
};
