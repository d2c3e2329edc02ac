// The frame with its bars, menus and palettes, driven as a shell drives it:
// headless bars and view, a document that records what reaches it, and
// pop-up menus that answer from a queue.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/frame/headless_bar.h"
#include "app/frame/headless_main_window.h"
#include "app/frame/main_frame.h"
#include "app/frame/testing/quiet_document.h"
#include "platform/dialogs/scripted_popup_menus.h"
#include "platform/text/font_catalog.h"
#include "platform/window/headless_window.h"

namespace {

class RecordingDocument : public QuietDocument {
  public:
    void executeCommand(DocCommand command, int) override {
        commands.push_back(command);
        if (command == DocCommand::Undo) {
            undoable = false;
            redoable = true;
        }
    }
    bool canUndo() const override { return undoable; }
    bool canRedo() const override { return redoable; }
    bool canCut() const override { return selection; }
    bool canCopy() const override { return selection; }
    bool canPaste() const override { return clipboard; }
    bool isModified() const override { return modified; }
    bool canFlip() const override { return selection; }

    std::vector<DocCommand> take() {
        std::vector<DocCommand> taken;
        taken.swap(commands);
        return taken;
    }

    std::vector<DocCommand> commands;
    bool undoable = false, redoable = false, selection = false, clipboard = false, modified = false;
};

class MenuRecord : public MenuEnabling {
  public:
    void enableItem(std::int32_t command, bool enabled) override { items[command] = enabled; }
    std::map<std::int32_t, bool> items;
};

// A 240 x 310 main window: with both bars shown the view between them is
// 240 x 268.
class FrameCommandsTest : public ::testing::Test {
  protected:
    FrameCommandsTest() : view(240, 268), mainWindow(240, 310, view) {
        platform::setPopupMenus(&popups);
        MainFrame::Windows windows;
        windows.mainWindow = &mainWindow;
        windows.menuBar = &menuBar;
        windows.toolBar = &toolBar;
        windows.optionBar = &optionBar;
        windows.canvasView = &view;
        EXPECT_TRUE(frame.create(windows, 600, 600));
        frame.document = &document;
        frame.toggleBar(MenuCommand::ToggleToolBar);
        frame.toggleBar(MenuCommand::ToggleOptionBar);
        document.take();
    }
    ~FrameCommandsTest() override { platform::setPopupMenus(nullptr); }

    std::int32_t toolImage(std::int32_t command) const {
        return toolBar.pictureIdOf(toolBar.buttonImage(command));
    }
    const platform::PopupRecord& lastPalette() const { return popups.records().back(); }

    platform::ScriptedPopupMenus popups;
    platform::HeadlessWindow view;
    HeadlessMainWindow mainWindow;
    HeadlessBar menuBar, toolBar, optionBar;
    RecordingDocument document;
    MainFrame frame;
};

std::vector<std::int32_t> commandsOf(const HeadlessBar& bar) {
    std::vector<std::int32_t> commands;
    for (const auto& button : bar.buttons())
        commands.push_back(button.command);
    return commands;
}

TEST(FrameCreateTest, FillsHiddenBarsAndPressesThePencil) {
    platform::HeadlessWindow view(240, 268);
    HeadlessMainWindow mainWindow(240, 310, view);
    HeadlessBar menuBar, toolBar, optionBar;
    MainFrame frame;
    MainFrame::Windows windows{&mainWindow, &menuBar, &toolBar, &optionBar, &view, nullptr};
    ASSERT_TRUE(frame.create(windows, 320, 240));
    EXPECT_EQ(frame.canvasWidth, 320);
    EXPECT_EQ(frame.canvasHeight, 240);
    // One button for the whole shape group.
    EXPECT_EQ(commandsOf(toolBar), (std::vector<std::int32_t>{40013, 40048, 40050, 40016, 40051,
                                                              40020, 40052, 40019, 40021}));
    EXPECT_EQ(commandsOf(optionBar),
              (std::vector<std::int32_t>{40014, 40057, 40024, 40018, 40025, 40028, 40026, 40027,
                                         40029, 40030}));
    EXPECT_EQ(commandsOf(menuBar), (std::vector<std::int32_t>{40010, 40011}));
    EXPECT_FALSE(toolBar.isVisible());
    EXPECT_FALSE(optionBar.isVisible());
    EXPECT_TRUE(toolBar.find(40013)->pressed);
    EXPECT_EQ(toolBar.pictureIdOf(toolBar.buttonImage(40013)), 115);
    EXPECT_EQ(optionBar.pictureIdOf(optionBar.buttonImage(40024)), 218);
    EXPECT_EQ(toolBar.placement().top, 310 - HeadlessBar::barHeight - 3);
    EXPECT_EQ(optionBar.placement().top, -2);

    // Without a view there is nothing to draw in.
    MainFrame viewless;
    windows.canvasView = nullptr;
    HeadlessBar otherTools;
    windows.toolBar = &otherTools;
    EXPECT_FALSE(viewless.create(windows, 600, 600));
}

TEST_F(FrameCommandsTest, AHiddenBarGivesTheViewItsSpaceBack) {
    EXPECT_EQ(mainWindow.viewArea(), (RECT{0, 22, 240, 290}));
    EXPECT_EQ(frame.maxScrollY, 599 - 268);
    EXPECT_TRUE(frame.mainWindowCommand(MenuCommand::ToggleToolBar));
    EXPECT_FALSE(toolBar.isVisible());
    EXPECT_FALSE(menuBar.find(40010)->pressed);
    EXPECT_EQ(mainWindow.viewArea(), (RECT{0, 22, 240, 310}));
    EXPECT_EQ(frame.maxScrollY, 599 - 288);
    frame.mainWindowCommand(MenuCommand::ToggleOptionBar);
    EXPECT_EQ(mainWindow.viewArea(), (RECT{0, 0, 240, 310}));
    frame.mainWindowCommand(MenuCommand::ToggleToolBar);
    frame.mainWindowCommand(MenuCommand::ToggleOptionBar);
    EXPECT_TRUE(menuBar.find(40010)->pressed);
    EXPECT_TRUE(menuBar.find(40011)->pressed);
    EXPECT_EQ(mainWindow.viewArea(), (RECT{0, 22, 240, 290}));
    EXPECT_EQ(frame.maxScrollY, 599 - 268);

    // A new window size lays the view out by the same rule, so hiding and
    // showing a bar afterwards gives back the same rectangle.
    mainWindow.setClientSize(320, 400);
    frame.layout();
    EXPECT_EQ(mainWindow.viewArea(), (RECT{0, 22, 320, 380}));
    EXPECT_EQ(toolBar.placement(), (RECT{0, 376, 320, 397}));
    EXPECT_EQ(frame.maxScrollX, 599 - 320);
    frame.mainWindowCommand(MenuCommand::ToggleToolBar);
    frame.mainWindowCommand(MenuCommand::ToggleToolBar);
    EXPECT_EQ(mainWindow.viewArea(), (RECT{0, 22, 320, 380}));
}

TEST_F(FrameCommandsTest, FileCommandsLeaveTheUndoArrowsAlone) {
    optionBar.setButtonEnabled(OptionCommand::Undo, true);
    optionBar.setButtonEnabled(OptionCommand::Redo, true);
    for (std::int32_t command : {40041, 40043, 40045, 40046})
        EXPECT_FALSE(frame.routeCommand(command)) << command;
    EXPECT_EQ(document.take(), (std::vector<DocCommand>{DocCommand::Open, DocCommand::Save,
                                                        DocCommand::New, DocCommand::SaveAs}));
    EXPECT_TRUE(optionBar.isButtonEnabled(OptionCommand::Undo));
    EXPECT_TRUE(optionBar.isButtonEnabled(OptionCommand::Redo));

    // Every other command brings them up to date.
    EXPECT_TRUE(frame.routeCommand(MenuCommand::Copy));
    EXPECT_EQ(document.take(), (std::vector<DocCommand>{DocCommand::Copy}));
    EXPECT_FALSE(optionBar.isButtonEnabled(OptionCommand::Undo));
    EXPECT_FALSE(optionBar.isButtonEnabled(OptionCommand::Redo));
}

TEST_F(FrameCommandsTest, CommandsNothingTakesAreNotHandled) {
    // Close and Exit are the application's; the menu-bar buttons open their
    // menus themselves.
    for (std::int32_t command : {1, 40001, 40031, 40032, 40038, 40061, 40099, 0})
        EXPECT_FALSE(frame.mainWindowCommand(command)) << command;
    EXPECT_TRUE(document.take().empty());
    EXPECT_TRUE(popups.records().empty());
}

TEST_F(FrameCommandsTest, EditAndImageCommandsReachTheDocument) {
    const std::pair<std::int32_t, DocCommand> fixed[] = {
        {40035, DocCommand::Copy},         {40036, DocCommand::Cut},
        {40037, DocCommand::Paste},        {40047, DocCommand::ExportBitmap},
        {40049, DocCommand::ImportBitmap}, {40053, DocCommand::FlipHorizontal},
        {40054, DocCommand::FlipVertical}, {40056, DocCommand::ImportJpeg},
        {40058, DocCommand::ExportJpeg},   {40059, DocCommand::ExportPng},
        {40055, DocCommand::ImportPng},    {40034, DocCommand::Delete},
        {40033, DocCommand::Undo},         {40039, DocCommand::Redo},
        {40040, DocCommand::Deselect},
    };
    for (const auto& [command, docCommand] : fixed) {
        EXPECT_TRUE(frame.routeCommand(command));
        EXPECT_EQ(document.take(), (std::vector<DocCommand>{docCommand})) << command;
    }
    EXPECT_TRUE(frame.routeCommand(MenuCommand::CanvasSize));
}

TEST_F(FrameCommandsTest, ShapeGroupRemembersItsLastMember) {
    popups.queueChoice(3);  // the filled rectangle
    EXPECT_TRUE(frame.routeCommand(ToolCommand::Rectangle));
    EXPECT_EQ(frame.currentTool, ToolButton::FilledRectangle);
    EXPECT_EQ(toolImage(ToolCommand::Rectangle), 165);
    // Above the middle of the group's button.
    RECT button;
    ASSERT_TRUE(toolBar.buttonRect(ToolCommand::Rectangle, button));
    EXPECT_EQ(lastPalette().request.name, "shape");
    EXPECT_EQ(lastPalette().request.items.size(), 5u);
    EXPECT_EQ(lastPalette().request.at, (POINT{button.left + 9, button.top - 20}));

    frame.routeCommand(ToolCommand::Pencil);
    EXPECT_EQ(frame.currentTool, ToolButton::Pencil);
    EXPECT_EQ(toolImage(ToolCommand::Rectangle), 182);
    EXPECT_FALSE(toolBar.find(ToolCommand::Rectangle)->pressed);

    popups.queueDismiss();
    frame.routeCommand(ToolCommand::Rectangle);
    EXPECT_EQ(frame.currentTool, ToolButton::FilledRectangle);
    EXPECT_TRUE(toolBar.find(ToolCommand::Rectangle)->pressed);

    // Each item stands for its member.
    const std::pair<int, std::uint16_t> members[] = {{0, ToolButton::Ellipse},
                                                     {1, ToolButton::FilledEllipse},
                                                     {2, ToolButton::Rectangle},
                                                     {4, ToolButton::Line}};
    for (const auto& [item, member] : members) {
        popups.queueChoice(item);
        frame.routeCommand(ToolCommand::Rectangle);
        EXPECT_EQ(frame.currentTool, member) << item;
    }
}

TEST_F(FrameCommandsTest, SizePaletteShowsTheSizesOfTheSelectedTool) {
    popups.queueChoice(4);
    EXPECT_TRUE(frame.routeCommand(OptionCommand::Size));
    const platform::PopupMenuRequest& widths = lastPalette().request;
    EXPECT_EQ(widths.name, "widths");
    ASSERT_EQ(widths.items.size(), 8u);
    EXPECT_EQ(widths.checked, 1);  // width 2 to begin with
    EXPECT_EQ(widths.items[1].pictureId, 203);
    EXPECT_EQ(widths.items[0].pictureId, 210);
    RECT button;
    ASSERT_TRUE(optionBar.buttonRect(OptionCommand::Size, button));
    EXPECT_EQ(widths.at, (POINT{button.left + 9, button.bottom - 10}));
    EXPECT_EQ(frame.lineWidth, 5);
    EXPECT_EQ(document.take(), (std::vector<DocCommand>{DocCommand::BrushSizeChanged}));

    frame.selectTool(ToolButton::Eraser);
    document.take();
    popups.queueChoice(0);
    frame.routeCommand(OptionCommand::Size);
    EXPECT_EQ(lastPalette().request.name, "sizes");
    EXPECT_EQ(lastPalette().request.items.size(), 6u);
    EXPECT_EQ(lastPalette().request.checked, 4);
    EXPECT_EQ(lastPalette().request.items[4].pictureId, 259);
    EXPECT_EQ(frame.eraserSizeIndex, 0);
    EXPECT_EQ(frame.airbrushSizeIndex, 5);
    EXPECT_EQ(frame.lineWidth, 5);

    // Dismissed, nothing changes and the document hears nothing.
    document.take();
    frame.routeCommand(OptionCommand::Size);
    EXPECT_EQ(frame.eraserSizeIndex, 0);
    EXPECT_TRUE(document.take().empty());
}

TEST_F(FrameCommandsTest, TextPalettesCheckTheCurrentValue) {
    frame.snapGridX = frame.snapGridY = 16;
    popups.queueChoice(0);  // Snap Off
    frame.routeCommand(OptionCommand::Grid);
    EXPECT_EQ(lastPalette().request.checked, 3);
    EXPECT_EQ(lastPalette().request.items[3].text, u"16 x 16");
    EXPECT_EQ(frame.snapGridX, 0);
    EXPECT_EQ(frame.snapGridY, 0);

    popups.queueChoice(4);  // 400%
    frame.routeCommand(OptionCommand::Zoom);
    EXPECT_EQ(lastPalette().request.checked, 2);
    EXPECT_EQ(frame.zoomShift, 2);

    popups.queueChoice(11);
    frame.routeCommand(OptionCommand::FontSize);
    EXPECT_EQ(lastPalette().request.checked, 4);  // 12 to begin with
    EXPECT_EQ(frame.fontSize, 72);
    EXPECT_EQ(document.take(),
              (std::vector<DocCommand>{DocCommand::GridChanged, DocCommand::ZoomChanged,
                                       DocCommand::FontSizeChanged}));
}

TEST_F(FrameCommandsTest, TheFirstFontPaletteChecksTheFirstFamily) {
    const auto families = platform::listFontFamilies();
    if (families.empty()) GTEST_SKIP() << "no fonts installed";
    frame.routeCommand(OptionCommand::Font);
    EXPECT_EQ(lastPalette().request.items.size(), families.size());
    EXPECT_EQ(lastPalette().request.checked, 0);
    EXPECT_EQ(std::u16string(frame.fontName), families.front().substr(0, 63));
    EXPECT_TRUE(document.take().empty());  // dismissed

    popups.queueChoice(int(families.size()) - 1);
    frame.routeCommand(OptionCommand::Font);
    EXPECT_EQ(std::u16string(frame.fontName), families.back().substr(0, 63));
    EXPECT_EQ(document.take(), (std::vector<DocCommand>{DocCommand::FontFaceChanged}));
}

TEST_F(FrameCommandsTest, PalettesWithoutTheirButtonStayClosed) {
    optionBar.setButtonVisible(OptionCommand::Zoom, false);
    popups.queueChoice(0);
    EXPECT_TRUE(frame.routeCommand(OptionCommand::Zoom));
    EXPECT_TRUE(popups.records().empty());
    EXPECT_EQ(frame.zoomShift, 0);
    // A member of the shape group has no button of its own: its last
    // member, the rectangle at first, is selected again.
    frame.routeCommand(ToolCommand::FilledEllipse);
    EXPECT_TRUE(popups.records().empty());
    EXPECT_EQ(frame.currentTool, ToolButton::Rectangle);
}

TEST_F(FrameCommandsTest, ArrowKeysCycleToolsAndStopAtTheSizeLimits) {
    frame.arrowKey(true, -1);
    EXPECT_EQ(frame.currentTool, ToolButton::Hand);
    frame.arrowKey(true, 1);
    EXPECT_EQ(frame.currentTool, ToolButton::Pencil);
    frame.arrowKey(true, 1);
    EXPECT_EQ(frame.currentTool, ToolButton::Airbrush);
    // Group members one by one.
    frame.selectTool(ToolButton::Rectangle);
    frame.arrowKey(true, 1);
    EXPECT_EQ(frame.currentTool, ToolButton::FilledRectangle);
    document.take();

    frame.selectTool(ToolButton::Pencil);
    frame.lineWidth = 1;
    document.take();
    frame.arrowKey(false, -1);
    EXPECT_EQ(frame.lineWidth, 1);
    frame.arrowKey(false, 1);
    EXPECT_EQ(frame.lineWidth, 2);
    EXPECT_EQ(document.take(),
              (std::vector<DocCommand>{DocCommand::SizeStepped, DocCommand::SizeStepped}));

    frame.selectTool(ToolButton::Eraser);
    frame.eraserSizeIndex = 5;
    document.take();
    frame.arrowKey(false, 1);
    EXPECT_EQ(frame.eraserSizeIndex, 5);
    frame.arrowKey(false, -1);
    EXPECT_EQ(frame.eraserSizeIndex, 4);
    EXPECT_EQ(frame.lineWidth, 2);
    EXPECT_EQ(document.take().size(), 2u);

    // Tools without a size ignore the up and down keys.
    frame.selectTool(ToolButton::Text);
    document.take();
    frame.arrowKey(false, 1);
    EXPECT_TRUE(document.take().empty());
}

TEST_F(FrameCommandsTest, UndoEmptyingTheListShowsTheRedoArrow) {
    document.undoable = true;
    frame.updateOptionBar();
    EXPECT_TRUE(optionBar.find(OptionCommand::Undo)->visible);
    EXPECT_FALSE(optionBar.find(OptionCommand::Redo)->visible);
    EXPECT_TRUE(frame.routeCommand(OptionCommand::Undo));
    EXPECT_FALSE(optionBar.find(OptionCommand::Undo)->visible);
    EXPECT_TRUE(optionBar.find(OptionCommand::Redo)->visible);
    EXPECT_TRUE(optionBar.find(OptionCommand::Redo)->enabled);
}

TEST_F(FrameCommandsTest, EyedropperButtonTogglesAndAToolEndsIt) {
    frame.routeCommand(OptionCommand::Eyedropper);
    EXPECT_TRUE(frame.optionToggle);
    EXPECT_TRUE(optionBar.find(OptionCommand::Eyedropper)->pressed);
    frame.routeCommand(OptionCommand::Eyedropper);
    EXPECT_FALSE(optionBar.find(OptionCommand::Eyedropper)->pressed);
    // Another tool, then the tool already chosen: the button lets go with it.
    for (const std::int32_t tool : {ToolCommand::Text, ToolCommand::Text}) {
        frame.routeCommand(OptionCommand::Eyedropper);
        ASSERT_TRUE(optionBar.find(OptionCommand::Eyedropper)->pressed);
        frame.routeCommand(tool);
        EXPECT_FALSE(frame.optionToggle);
        EXPECT_FALSE(optionBar.find(OptionCommand::Eyedropper)->pressed);
    }
}

TEST_F(FrameCommandsTest, MenuItemsFollowTheDocument) {
    MenuRecord menu;
    frame.enableMenuItems(menu);
    for (std::int32_t command :
         {40033, 40039, 40053, 40054, 40036, 40035, 40034, 40040, 40037, 40043})
        EXPECT_FALSE(menu.items.at(command)) << command;
    document.selection = document.modified = document.undoable = document.redoable = true;
    frame.enableMenuItems(menu);
    for (std::int32_t command : {40033, 40039, 40053, 40054, 40036, 40035, 40034, 40040, 40043})
        EXPECT_TRUE(menu.items.at(command)) << command;
    EXPECT_FALSE(menu.items.at(40037));
    document.clipboard = true;
    frame.enableMenuItems(menu);
    EXPECT_TRUE(menu.items.at(40037));
    EXPECT_EQ(menu.items.size(), 10u);
}

TEST_F(FrameCommandsTest, CanvasSizeIsHeldToItsLimitsAndAnnouncedOnlyWhenChanged) {
    EXPECT_TRUE(frame.setCanvasSize(0, 5000));
    EXPECT_EQ(frame.canvasWidth, 1);
    EXPECT_EQ(frame.canvasHeight, 1024);
    EXPECT_EQ(document.take(), (std::vector<DocCommand>{DocCommand::CanvasSizeChanged}));
    EXPECT_FALSE(frame.setCanvasSize(1, 1024));
    EXPECT_FALSE(frame.setCanvasSize(-7, 1025));
    EXPECT_TRUE(document.take().empty());
}

TEST_F(FrameCommandsTest, SettingsStoreAnnounceAndUpdateTheBars) {
    frame.setColour(0x123456);
    EXPECT_EQ(frame.currentColour, 0x123456u);
    EXPECT_EQ(optionBar.pictureIdOf(optionBar.buttonImage(OptionCommand::Colour)), 218);
    EXPECT_EQ(frame.colourButtonBitmap->row(5)[3 * 8], 0x12);  // the blue byte comes first
    frame.setOpacity(40);
    frame.setLineWidth(7);
    EXPECT_FALSE(frame.setBrushSize(3));  // the pencil has no circular size
    frame.selectTool(ToolButton::Smudge);
    document.take();
    EXPECT_TRUE(frame.setBrushSize(3));
    EXPECT_EQ(frame.smudgeSizeIndex, 3);
    frame.setFontName(std::u16string(100, u'x'));
    EXPECT_EQ(std::u16string(frame.fontName), std::u16string(63, u'x'));
    EXPECT_EQ(document.take(),
              (std::vector<DocCommand>{DocCommand::BrushSizeChanged, DocCommand::FontFaceChanged}));
}

}  // namespace
