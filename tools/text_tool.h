#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi/types.h"
#include "tools/tool.h"

// One line of text placed on the picture. The placing tap fixes where the
// text starts; typing arrives through the document's character input. While
// it is edited the text floats above the picture: every redraw rebuilds the
// view and draws the text on it, framed, and the picture itself is left
// alone. When it is put down (a tap outside it, Enter, a full line, or a
// document command) the tool enters the history and the document draws it
// into the picture; replay draws the same text again from what is stored.
class TextTool : public Tool {
  public:
    // Both strings live in fixed arrays of this many UTF-16 units, the last
    // one always the terminating zero, so typing never allocates.
    static constexpr std::size_t capacity = 64;
    static constexpr std::size_t maxLength = capacity - 1;
    // A face name must fit the font record's 31 characters; a longer one
    // makes the text draw nothing at all.
    static constexpr std::size_t maxFaceLength = 31;
    // Room left around the measured text, so the frame does not touch it.
    static constexpr std::int32_t margin = 5;

    ToolId toolId() const override { return ToolId::Text; }
    void setColour(COLORREF newColour) override { colour = newColour; }
    void onAcquire(SketchDocument& document) override;
    void draw(SketchDocument& document, Canvas& canvas, DrawFlags drawFlags) override;
    ToolResult onChar(SketchDocument& document, char16_t character) override;
    ToolResult onPointerButton(SketchDocument& document, const POINT& point, bool down) override;
    ToolResult onPointerMove(SketchDocument& document, POINT* points, unsigned count,
                             int* consumed) override;
    ToolResult finish(SketchDocument& document) override;
    ToolResult onSettingChanged(SketchDocument& document, ToolSetting setting) override;
    // Gives the tool a finished text at a canvas position, as if it had been
    // typed there and put down; at most `maxLength` units are kept.
    virtual void setText(std::int32_t x, std::int32_t y, const char16_t* newText);

    // Whether a UTF-16 unit is a character that typing adds to the text.
    static bool isPrintable(char16_t character);

    POINT dragPoint{};
    bool editing = false;
    bool needsLayout = false;
    std::int32_t textX = 0;
    std::int32_t textY = 0;
    char16_t fontName[capacity] = {};
    char16_t text[capacity] = {};
    std::int16_t fontSize = 0;
    COLORREF colour = 0;

  private:
    std::size_t textLength() const;
    bool faceTooLong() const;
    // Measures the text and makes `bounds` its extent at the text position,
    // widened by the margin.
    void layout(Canvas& canvas);
};
