#include "tools/text_tool.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <limits>

#include "app/frame/main_frame.h"
#include "canvas/canvas.h"
#include "document/sketch_document.h"
#include "platform/text/utf.h"

namespace {

// Copies at most `maxLength` units of a zero-terminated string and ends the
// copy with a zero, so a source without its terminator within reach never
// runs past either array.
void copyBounded(char16_t* destination, const char16_t* source, std::size_t maxLength) {
    std::size_t n = source ? platform::boundedLength(source, maxLength) : 0;
    std::copy(source, source + n, destination);
    destination[n] = u'\0';
}

std::int16_t pointSize(std::int32_t size) {
    // A size beyond 16 bits is held at the limit rather than wrapped into a
    // small or negative one.
    return std::int16_t(std::clamp<std::int32_t>(size, std::numeric_limits<std::int16_t>::min(),
                                                 std::numeric_limits<std::int16_t>::max()));
}

// The character classes of the C library decide what is printable, but the
// "C" locale a program starts in only knows ASCII letters. The classes are
// taken from the C.UTF-8 locale instead, which classifies the whole Basic
// Multilingual Plane (accented and Cyrillic letters, CJK ideographs, the
// ideographic space), whatever locale the program runs in; where that locale
// is missing the current one is used.
locale_t unicodeClasses() {
    static const locale_t classes = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    return classes;
}

}  // namespace

bool TextTool::isPrintable(char16_t character) {
    // Half of a surrogate pair is not a character: the line holds characters
    // of the Basic Multilingual Plane only, one unit each, so the limit of
    // 63 units is a limit of 63 characters and backspace removes one whole.
    if (character >= 0xD800 && character <= 0xDFFF) return false;
    const wint_t c = character;
    if (const locale_t classes = unicodeClasses())
        return iswalpha_l(c, classes) || iswdigit_l(c, classes) || iswpunct_l(c, classes) ||
               iswblank_l(c, classes);
    return iswalpha(c) || iswdigit(c) || iswpunct(c) || iswblank(c);
}

void TextTool::onAcquire(SketchDocument& document) {
    Tool::onAcquire(document);
    setFlag(ToolFlags::Floating, true);
    setFlag(ToolFlags::RedrawWhole, true);
    colour = 0;
    editing = false;
    needsLayout = true;
    fontSize = document.frame ? pointSize(document.frame->fontSize) : std::int16_t(0);
    textX = textY = 0;
    text[0] = u'\0';
    fontName[0] = u'\0';
}

std::size_t TextTool::textLength() const {
    return platform::boundedLength(text, maxLength);
}

bool TextTool::faceTooLong() const {
    return platform::boundedLength(fontName, maxFaceLength + 1) > maxFaceLength;
}

void TextTool::layout(Canvas& canvas) {
    // The measurement leaves its output alone when it cannot measure (no
    // view, no font); the text then counts as a point, so `bounds` still
    // ends up around the text position and is never moved twice.
    RECT extent{};
    canvas.measureText(fontSize, fontName, text, extent);
    bounds = RECT{extent.left + textX - margin, extent.top + textY - margin,
                  extent.right + textX + margin, extent.bottom + textY + margin};
    needsLayout = false;
}

void TextTool::draw(SketchDocument&, Canvas& canvas, DrawFlags drawFlags) {
    if (faceTooLong()) return;
    if (needsLayout) layout(canvas);
    if (has(drawFlags, DrawFlags::FrameOnly)) {
        if (editing) canvas.drawSelectionFrame(bounds);
        return;
    }
    canvas.drawText(fontSize, colour, fontName, text, POINT{textX, textY});
}

ToolResult TextTool::onChar(SketchDocument&, char16_t character) {
    const std::size_t length = textLength();
    if (isPrintable(character)) {
        needsLayout = true;
        if (length >= maxLength) {
            // The line is full: the last character gives way to the new one
            // and the text is put down.
            text[maxLength - 1] = character;
            text[maxLength] = u'\0';
            editing = false;
            return ToolResult::Commit;
        }
        text[length] = character;
        text[length + 1] = u'\0';
        return ToolResult::Refresh;
    }
    if (character == u'\b' && length > 0) {
        text[length - 1] = u'\0';
        needsLayout = true;
        return ToolResult::Refresh;
    }
    if (character == u'\r') {
        if (length == 0) return ToolResult::Discard;
        editing = false;
        needsLayout = true;
        return ToolResult::Commit;
    }
    return ToolResult::None;
}

ToolResult TextTool::onPointerButton(SketchDocument& document, const POINT& point, bool down) {
    if (!down) return ToolResult::None;
    if (!editing) {
        // The placing tap: the text starts here, in the face and colour that
        // are current now.
        needsLayout = true;
        editing = true;
        textX = point.x;
        textY = point.y;
        dragPoint = point;
        if (document.frame) {
            copyBounded(fontName, document.frame->fontName, maxLength);
            colour = document.frame->currentColour;
        }
        bounds = RECT{point.x - margin, point.y - margin, point.x + margin, point.y + margin};
        return ToolResult::Draw;
    }
    // A tap with nothing typed throws the tool away; the document then
    // places a new one at the tap.
    if (text[0] == u'\0') return ToolResult::Discard;
    // On the text or its margin, edges included, the tap picks it up to drag.
    if (point.x >= bounds.left && point.x <= bounds.right && point.y >= bounds.top &&
        point.y <= bounds.bottom) {
        dragPoint = point;
        return ToolResult::None;
    }
    // Elsewhere the text is put down and the tap starts the next tool.
    needsLayout = true;
    editing = false;
    return ToolResult::Commit;
}

ToolResult TextTool::onPointerMove(SketchDocument&, POINT* points, unsigned count, int* consumed) {
    *consumed = int(count);
    if (count == 0) return ToolResult::None;
    // Only where the stylus is now matters for the text's position.
    const POINT& last = points[count - 1];
    textX += last.x - dragPoint.x;
    textY += last.y - dragPoint.y;
    dragPoint = last;
    needsLayout = true;
    return ToolResult::Refresh;
}

ToolResult TextTool::finish(SketchDocument& document) {
    if (!editing || text[0] == u'\0') return ToolResult::Discard;
    editing = false;
    // Every change of the text was followed by a redraw, which measured it,
    // so `bounds` is the text's rectangle.
    needsLayout = true;
    document.setSelection(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return ToolResult::Commit;
}

ToolResult TextTool::onSettingChanged(SketchDocument& document, ToolSetting setting) {
    if (!document.frame) return ToolResult::None;
    switch (setting) {
        case ToolSetting::Colour:
            // A new colour does not change the text's extent.
            colour = document.frame->currentColour;
            return ToolResult::Refresh;
        case ToolSetting::FontFace:
            copyBounded(fontName, document.frame->fontName, maxLength);
            needsLayout = true;
            return ToolResult::Refresh;
        case ToolSetting::FontSize:
            fontSize = pointSize(document.frame->fontSize);
            needsLayout = true;
            return ToolResult::Refresh;
        case ToolSetting::BrushSize:
            break;
    }
    return ToolResult::None;
}

void TextTool::setText(std::int32_t x, std::int32_t y, const char16_t* newText) {
    copyBounded(text, newText, maxLength);
    textX = x;
    textY = y;
    editing = false;
    needsLayout = true;
}
