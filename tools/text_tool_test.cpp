#include "tools/text_tool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "document/doc_command.h"
#include "document/testing/document_fixture.h"
#include "platform/text/glyph_cache.h"

namespace {

using document_testing::DocumentTest;

constexpr COLORREF white = 0xFFFFFF;
constexpr COLORREF black = 0x000000;
constexpr COLORREF red = 0x0000FF;
constexpr COLORREF blue = 0xFF0000;
constexpr std::uint16_t textButton = 11;

void setFace(MainFrame& frame, const std::u16string& face) {
    ASSERT_LT(face.size(), sizeof frame.fontName / sizeof frame.fontName[0]);
    std::copy(face.begin(), face.end(), frame.fontName);
    frame.fontName[face.size()] = u'\0';
}

class TextToolTest : public DocumentTest {
  protected:
    TextToolTest() {
        frame.currentColour = blue;
        frame.fontSize = 12;
        setFace(frame, u"DejaVu Sans");
        useTool(textButton);
    }

    TextTool* activeText() const {
        Tool* t = document.activeTool;
        return t && t->toolId() == ToolId::Text ? static_cast<TextTool*>(t) : nullptr;
    }
    const TextTool* lastText() const {
        const Tool* t = document.historyCursor;
        return t && t->toolId() == ToolId::Text ? static_cast<const TextTool*>(t) : nullptr;
    }
    void type(std::u16string_view characters) {
        for (char16_t c : characters)
            document.charInput(c);
    }
    // Pixels within `area` of the view (shown) or the live picture that are not white.
    int inkedShown(const RECT& area) const {
        int n = 0;
        for (std::int32_t y = area.top; y < area.bottom; ++y)
            for (std::int32_t x = area.left; x < area.right; ++x)
                if (shown(x, y) != white) ++n;
        return n;
    }
    int inkedLive(const RECT& area) const {
        int n = 0;
        for (std::int32_t y = area.top; y < area.bottom; ++y)
            for (std::int32_t x = area.left; x < area.right; ++x)
                if (live(x, y) != white) ++n;
        return n;
    }
    // The rectangle the text tool should give a text: its measured extent at
    // the position, five pixels wider on every side.
    RECT expectedBounds(std::int32_t x, std::int32_t y, std::int16_t size, const char16_t* face,
                        const char16_t* text) {
        RECT extent{};
        document.canvas.measureText(size, face, text, extent);
        return RECT{x + extent.left - 5, y + extent.top - 5, x + extent.right + 5,
                    y + extent.bottom + 5};
    }
    // The live picture's pixels in `area`, row by row.
    std::vector<COLORREF> livePixels(const RECT& area) const {
        std::vector<COLORREF> pixels;
        for (std::int32_t y = area.top; y < area.bottom; ++y)
            for (std::int32_t x = area.left; x < area.right; ++x)
                pixels.push_back(live(x, y));
        return pixels;
    }
};

// ---------------------------------------------------------------------------
// Placing and typing.

TEST_F(TextToolTest, ThePlacingTapStartsAFloatingTextInTheCurrentStyle) {
    down(40, 50);
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->editing);
    EXPECT_EQ(text->flags, ToolFlags::Acquired | ToolFlags::Floating | ToolFlags::RedrawWhole);
    EXPECT_EQ(text->textX, 40);
    EXPECT_EQ(text->textY, 50);
    EXPECT_EQ(text->dragPoint, (POINT{40, 50}));
    EXPECT_EQ(std::u16string(text->fontName), u"DejaVu Sans");
    EXPECT_EQ(text->colour, blue);
    EXPECT_EQ(text->fontSize, 12);
    EXPECT_EQ(text->text[0], u'\0');
    // The empty text is measured as a capital I, so the frame has a line's height.
    EXPECT_FALSE(text->needsLayout);
    EXPECT_EQ(text->bounds, expectedBounds(40, 50, 12, u"DejaVu Sans", u"I"));
    EXPECT_GT(text->bounds.bottom - text->bounds.top, 10);
    // Floating: the document treats the text as the selection.
    EXPECT_TRUE(document.canCut());
    up(40, 50);
    EXPECT_EQ(activeText(), text);
}

TEST_F(TextToolTest, TypingShowsInTheViewButNotInThePictureUntilPutDown) {
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    down(40, 50);
    type(u"Hello");
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text->text), u"Hello");
    const RECT b = text->bounds;
    EXPECT_EQ(b, expectedBounds(40, 50, 12, u"DejaVu Sans", u"Hello"));
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_EQ(historyLength(), 0);

    // The view shows the text in its colour inside the dashed frame.
    const RECT inner{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
    EXPECT_GT(inkedShown(inner), 20);
    bool solidBlue = false;
    for (std::int32_t y = inner.top; y < inner.bottom; ++y)
        for (std::int32_t x = inner.left; x < inner.right; ++x)
            solidBlue = solidBlue || shown(x, y) == blue;
    EXPECT_TRUE(solidBlue);
    int framePixels = 0;
    for (std::int32_t x = b.left; x <= b.right; ++x)
        framePixels += shown(x, b.top) == black;
    EXPECT_GT(framePixels, 0);
    EXPECT_LT(framePixels, b.right - b.left + 1);  // dashed
    std::vector<COLORREF> preview;
    for (std::int32_t y = inner.top; y < inner.bottom; ++y)
        for (std::int32_t x = inner.left; x < inner.right; ++x)
            preview.push_back(shown(x, y));

    // Enter puts it down: into the picture, exactly as it was shown, with no frame.
    document.charInput(u'\r');
    EXPECT_EQ(document.activeTool, nullptr);
    ASSERT_EQ(historyLength(), 1);
    const TextTool* putDown = lastText();
    ASSERT_NE(putDown, nullptr);
    EXPECT_FALSE(putDown->editing);
    EXPECT_EQ(livePixels(inner), preview);
    for (std::int32_t x = b.left; x <= b.right; ++x)
        ASSERT_EQ(shown(x, b.top), white) << x;
    EXPECT_EQ(inkedLive(RECT{0, 0, 240, 268}), inkedLive(inner));
}

TEST_F(TextToolTest, BackspaceRemovesTheLastCharacterAndDoesNothingOnAnEmptyText) {
    down(40, 50);
    type(u"abc");
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    const RECT wide = text->bounds;
    document.charInput(u'\b');
    EXPECT_EQ(std::u16string(text->text), u"ab");
    EXPECT_LT(text->bounds.right, wide.right);
    type(u"\b\b");
    EXPECT_EQ(text->text[0], u'\0');
    EXPECT_EQ(text->onChar(document, u'\b'), ToolResult::None);
    EXPECT_EQ(text->text[0], u'\0');
    EXPECT_EQ(activeText(), text);
    // Nothing of the removed characters is left in the view.
    const RECT b = text->bounds;
    EXPECT_EQ(inkedShown(RECT{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1}), 0);
}

TEST_F(TextToolTest, OnlyPrintableCharactersAreTyped) {
    down(40, 50);
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    for (char16_t c : {u'\0', u'\x01', u'\n', u'\x1b', u'\x7f', char16_t(0xD83D), char16_t(0xDE00),
                       char16_t(0x2028)})
        EXPECT_EQ(text->onChar(document, c), ToolResult::None) << int(c);
    EXPECT_EQ(text->text[0], u'\0');
    // Letters, digits, punctuation and blanks, in any script of the plane.
    const std::u16string typed = u"Az09.,!~ \t\u00e9\u00df\u0416\u4e2d\u3000\u20ac";
    for (char16_t c : typed)
        EXPECT_EQ(text->onChar(document, c), ToolResult::Refresh) << int(c);
    EXPECT_EQ(std::u16string(text->text), typed);
}

TEST_F(TextToolTest, TheSixtyFourthCharacterReplacesTheLastAndPutsTheTextDown) {
    down(10, 50);
    const std::u16string full(TextTool::maxLength, u'x');
    type(full);
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text->text), full);
    EXPECT_EQ(historyLength(), 0);
    document.charInput(u'y');
    EXPECT_EQ(document.activeTool, nullptr);
    ASSERT_EQ(historyLength(), 1);
    std::u16string expected = full;
    expected.back() = u'y';
    const TextTool* putDown = lastText();
    ASSERT_NE(putDown, nullptr);
    EXPECT_EQ(std::u16string(putDown->text), expected);
    // Put down by typing, not by a command: no selection.
    EXPECT_EQ(document.selectionActive, 0);
    EXPECT_GT(inkedLive(putDown->bounds), 0);
}

TEST_F(TextToolTest, EnterDiscardsAnEmptyTextAndCommitsOneWithoutASelection) {
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    down(40, 50);
    document.charInput(u'\r');
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    // The frame is gone from the view.
    for (std::int32_t y = 30; y < 80; ++y)
        for (std::int32_t x = 20; x < 80; ++x)
            ASSERT_EQ(shown(x, y), white) << x << "," << y;

    down(40, 50);
    type(u"Hi\r");
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(document.selectionActive, 0);
}

TEST_F(TextToolTest, AFinishByACommandSelectsTheText) {
    down(40, 50);
    type(u"Hi");
    document.executeCommand(DocCommand::OpacityChanged, 0);
    EXPECT_EQ(document.activeTool, nullptr);
    ASSERT_EQ(historyLength(), 1);
    const RECT expected = expectedBounds(40, 50, 12, u"DejaVu Sans", u"Hi");
    const TextTool* putDown = lastText();
    ASSERT_NE(putDown, nullptr);
    EXPECT_EQ(putDown->bounds, expected);
    EXPECT_EQ(document.selectionActive, 1);
    EXPECT_EQ(document.selection, expected);
    // The selection is framed in the view.
    EXPECT_EQ(shown(expected.left, expected.top), black);
}

TEST_F(TextToolTest, AFinishWithNothingTypedDiscardsTheTool) {
    down(40, 50);
    document.executeCommand(DocCommand::OpacityChanged, 0);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(historyLength(), 0);
    EXPECT_EQ(document.selectionActive, 0);
}

TEST_F(TextToolTest, ToolZoomAndGridChangesLeaveTheTextBeingEdited) {
    down(40, 50);
    type(u"Hi");
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    useTool(2);
    document.executeCommand(DocCommand::GridChanged, 0);
    document.executeCommand(DocCommand::ZoomChanged, 0);
    EXPECT_EQ(activeText(), text);
    type(u"!");
    EXPECT_EQ(std::u16string(text->text), u"Hi!");
    EXPECT_EQ(historyLength(), 0);
}

// ---------------------------------------------------------------------------
// Taps while editing: discard, drag or put down.

TEST_F(TextToolTest, ATapWithNothingTypedPlacesANewTextThere) {
    down(40, 50);
    up(40, 50);
    down(150, 120);
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->editing);
    EXPECT_EQ(text->textX, 150);
    EXPECT_EQ(text->textY, 120);
    EXPECT_EQ(historyLength(), 0);
    // The first frame is gone from the view.
    for (std::int32_t y = 40; y < 70; ++y)
        for (std::int32_t x = 30; x < 60; ++x)
            ASSERT_EQ(shown(x, y), white) << x << "," << y;
}

TEST_F(TextToolTest, ATapOnTheEdgeOfTheFrameStartsADrag) {
    down(40, 50);
    type(u"Hi");
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    const RECT b = text->bounds;
    for (POINT corner : {POINT{b.left, b.top}, POINT{b.right, b.bottom}}) {
        down(corner.x, corner.y);
        EXPECT_EQ(activeText(), text);
        EXPECT_EQ(text->dragPoint, corner);
        EXPECT_TRUE(text->editing);
        up(corner.x, corner.y);
    }
    EXPECT_EQ(historyLength(), 0);

    // One pixel further out the text is put down, and the tap places the
    // next one, whose start makes the first part of the committed picture.
    down(b.right + 1, b.bottom);
    EXPECT_FALSE(text->editing);
    EXPECT_EQ(historyLength(), 0);
    int inked = 0;
    for (std::int32_t y = b.top; y < b.bottom; ++y)
        for (std::int32_t x = b.left; x < b.right; ++x)
            inked += committed(x, y) != white;
    EXPECT_GT(inked, 0);
    TextTool* next = activeText();
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->editing);
    EXPECT_EQ(next->textX, b.right + 1);
    EXPECT_EQ(next->textY, b.bottom);
}

TEST_F(TextToolTest, DraggingMovesTheTextByTheDragDelta) {
    down(40, 50);
    type(u"Hi");
    document.charInput(u'\r');
    const TextTool* putDown = lastText();
    ASSERT_NE(putDown, nullptr);
    const RECT area = putDown->bounds;
    const std::vector<COLORREF> original = livePixels(area);
    document.executeCommand(DocCommand::Undo, 0);
    ASSERT_EQ(inkedLive(area), 0);

    down(40, 50);
    type(u"Hi");
    down(45, 55);  // on the text: picks it up
    move(60, 60);
    move(75, 75);
    up(75, 75);
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textX, 70);
    EXPECT_EQ(text->textY, 70);
    EXPECT_EQ(text->bounds,
              (RECT{area.left + 30, area.top + 20, area.right + 30, area.bottom + 20}));
    document.charInput(u'\r');

    // Every pixel has moved by (30, 20); nothing is left where the text was.
    for (std::int32_t y = 0; y < 150; ++y)
        for (std::int32_t x = 0; x < 200; ++x) {
            const std::int32_t fromX = x - 30, fromY = y - 20;
            const bool moved = fromX >= area.left && fromX < area.right && fromY >= area.top &&
                               fromY < area.bottom;
            const COLORREF expected =
                moved ? original[std::size_t((fromY - area.top) * (area.right - area.left) +
                                             (fromX - area.left))]
                      : white;
            ASSERT_EQ(live(x, y), expected) << x << "," << y;
        }
}

TEST_F(TextToolTest, TheStylusAfterThePlacingTapDragsTheNewText) {
    down(40, 50);
    move(44, 53);
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textX, 44);
    EXPECT_EQ(text->textY, 53);
    int consumed = -1;
    EXPECT_EQ(text->onPointerMove(document, nullptr, 0, &consumed), ToolResult::None);
    EXPECT_EQ(consumed, 0);
    EXPECT_EQ(text->textX, 44);
}

// ---------------------------------------------------------------------------
// History.

TEST_F(TextToolTest, UndoAndRedoDrawTheSameText) {
    const std::vector<std::uint8_t> committed = canvasBytes(document.canvas.committedBits());
    down(40, 50);
    type(u"Replay me");
    document.charInput(u'\r');
    const std::vector<std::uint8_t> drawn = canvasBytes(document.canvas.liveBits());
    ASSERT_NE(drawn, committed);

    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), committed);
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), drawn);
    document.executeCommand(DocCommand::Undo, 0);
    document.executeCommand(DocCommand::Redo, 0);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), drawn);
    for (std::int32_t x = 0; x < 240; ++x)
        ASSERT_EQ(shown(x, 58), live(x, 58)) << x;

    document.flattenHistory();
    EXPECT_EQ(canvasBytes(document.canvas.committedBits()), drawn);
}

TEST_F(TextToolTest, UndoWhileEditingPutsTheTextDownAndRevertsIt) {
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    down(40, 50);
    type(u"Hi");
    document.executeCommand(DocCommand::Undo, 0);
    EXPECT_EQ(document.activeTool, nullptr);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);
    EXPECT_TRUE(document.canRedo());
}

// ---------------------------------------------------------------------------
// Restyling.

TEST_F(TextToolTest, ChangingTheFontSizeMeasuresTheTextAgain) {
    down(40, 50);
    type(u"Hello");
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    const RECT small = text->bounds;
    frame.fontSize = 24;
    document.executeCommand(DocCommand::FontSizeChanged, 0);
    ASSERT_EQ(activeText(), text);
    EXPECT_EQ(text->fontSize, 24);
    EXPECT_EQ(text->bounds, expectedBounds(40, 50, 24, u"DejaVu Sans", u"Hello"));
    EXPECT_GT(text->bounds.right - text->bounds.left, small.right - small.left + 20);
    EXPECT_GT(text->bounds.bottom - text->bounds.top, small.bottom - small.top + 10);
    // The larger text shows beyond the old frame.
    EXPECT_GT(inkedShown(RECT{small.right, small.top, text->bounds.right - 1, small.bottom}), 0);
}

TEST_F(TextToolTest, ChangingTheFaceMeasuresTheTextAgain) {
    down(40, 50);
    type(u"Hello");
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    setFace(frame, u"DejaVu Sans Mono");
    document.executeCommand(DocCommand::FontFaceChanged, 0);
    ASSERT_EQ(activeText(), text);
    EXPECT_EQ(std::u16string(text->fontName), u"DejaVu Sans Mono");
    const RECT mono = expectedBounds(40, 50, 12, u"DejaVu Sans Mono", u"Hello");
    EXPECT_NE(mono, expectedBounds(40, 50, 12, u"DejaVu Sans", u"Hello"));
    EXPECT_EQ(text->bounds, mono);
}

TEST_F(TextToolTest, ChangingTheColourRestylesWithoutMeasuring) {
    down(40, 50);
    type(u"Hello");
    TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    const RECT b = text->bounds;
    const RECT inner{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
    const int inked = inkedShown(inner);
    frame.currentColour = red;
    EXPECT_EQ(text->onSettingChanged(document, ToolSetting::Colour), ToolResult::Refresh);
    EXPECT_FALSE(text->needsLayout);
    EXPECT_EQ(text->colour, red);
    frame.currentColour = 0x00A000;
    document.executeCommand(DocCommand::ColourChanged, 0);
    ASSERT_EQ(activeText(), text);
    EXPECT_EQ(text->colour, 0x00A000u);
    EXPECT_EQ(text->bounds, b);
    // The same glyphs, all in the new colour.
    EXPECT_EQ(inkedShown(inner), inked);
    bool sawNew = false;
    for (std::int32_t y = inner.top; y < inner.bottom; ++y)
        for (std::int32_t x = inner.left; x < inner.right; ++x) {
            ASSERT_NE(shown(x, y), blue) << x << "," << y;
            sawNew = sawNew || shown(x, y) == 0x00A000u;
        }
    EXPECT_TRUE(sawNew);
    // A brush size change is not the text's business.
    EXPECT_EQ(text->onSettingChanged(document, ToolSetting::BrushSize), ToolResult::None);
}

TEST_F(TextToolTest, AFaceNameOfThirtyTwoCharactersDrawsNothing) {
    const std::u16string tooLong = u"DejaVu Sans DejaVu Sans DejaVu S";
    ASSERT_EQ(tooLong.size(), 32u);
    setFace(frame, tooLong);
    const std::vector<std::uint8_t> before = canvasBytes(document.canvas.liveBits());
    down(40, 50);
    type(u"Hello");
    ASSERT_NE(activeText(), nullptr);
    // No text and no frame in the view.
    EXPECT_EQ(inkedShown(RECT{0, 0, 240, 268}), 0);
    document.charInput(u'\r');
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(canvasBytes(document.canvas.liveBits()), before);

    // One character less is a face name (an unknown one, drawn in the default face).
    setFace(frame, tooLong.substr(0, 31));
    down(140, 150);
    type(u"Hello");
    EXPECT_GT(inkedShown(RECT{130, 140, 240, 200}), 0);
}

// ---------------------------------------------------------------------------
// Cost of typing, and the tool on its own.

TEST_F(TextToolTest, RetypingTheSameCharactersRendersNoNewGlyphs) {
    down(5, 50);
    const std::u16string line = u"The quick brown fox jumps over the lazy dog, 0123456789 times!";
    ASSERT_LE(line.size(), TextTool::maxLength);
    type(line);
    for (std::size_t i = 0; i < line.size(); ++i)
        document.charInput(u'\b');
    const TextTool* text = activeText();
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->text[0], u'\0');
    const std::uint64_t rendered = platform::renderedGlyphCount();
    // Every redraw measures and draws the whole line again, yet each glyph
    // was rendered once and comes from the cache after that.
    type(line);
    EXPECT_EQ(platform::renderedGlyphCount(), rendered);
    ASSERT_EQ(activeText(), text);
    EXPECT_EQ(std::u16string(text->text), line);
}

TEST_F(TextToolTest, SetTextKeepsAtMostSixtyThreeCharacters) {
    Tool* tool = document.toolFactory.acquire(document, ToolId::Text);
    ASSERT_NE(tool, nullptr);
    auto* text = static_cast<TextTool*>(tool);
    const std::u16string longer(100, u'z');
    text->setText(12, 34, longer.c_str());
    EXPECT_EQ(std::u16string(text->text), longer.substr(0, 63));
    EXPECT_EQ(text->textX, 12);
    EXPECT_EQ(text->textY, 34);
    EXPECT_FALSE(text->editing);
    EXPECT_TRUE(text->needsLayout);
    // Given text counts as put down: a finish has nothing to commit.
    EXPECT_EQ(text->finish(document), ToolResult::Discard);
    text->setText(0, 0, nullptr);
    EXPECT_EQ(text->text[0], u'\0');
    document.toolFactory.release(document, text);
}

TEST(TextToolAlone, AnUnmeasuredTextKeepsItsFrameAroundThePosition) {
    // A document without a view cannot measure; the frame then stays a
    // small square at the text position however often it is laid out.
    SketchDocument document;
    TextTool text;
    text.onAcquire(document);
    text.setText(100, 50, u"abc");
    text.draw(document, document.canvas, DrawFlags::IntoPicture);
    EXPECT_EQ(text.bounds, (RECT{95, 45, 105, 55}));
    text.setText(100, 50, u"abcd");
    text.draw(document, document.canvas, DrawFlags::IntoPicture);
    EXPECT_EQ(text.bounds, (RECT{95, 45, 105, 55}));
}

TEST(TextToolAlone, PrintableCharacters) {
    for (char16_t c : {u'a', u'Z', u'5', u'-', u'@', u' ', u'\t', char16_t(0x00C5),
                       char16_t(0x03A9), char16_t(0x0661), char16_t(0x4E00), char16_t(0x3000)})
        EXPECT_TRUE(TextTool::isPrintable(c)) << int(c);
    for (char16_t c : {u'\0', u'\b', u'\r', u'\n', char16_t(0x7F), char16_t(0x9F), char16_t(0xD800),
                       char16_t(0xDFFF), char16_t(0xFFFF)})
        EXPECT_FALSE(TextTool::isPrintable(c)) << int(c);
}

}  // namespace
