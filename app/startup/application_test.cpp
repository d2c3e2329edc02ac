#include "app/startup/application.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "app/frame/headless_bar.h"
#include "app/frame/headless_main_window.h"
#include "app/startup/hibernation.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/dialogs/scripted_modal_dialogs.h"
#include "platform/dialogs/scripted_popup_menus.h"
#include "platform/files/device_path.h"
#include "platform/files/file.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

namespace {

// The program as a shell runs it, with a shell that records what it was
// asked to do.
class ApplicationTest : public ::testing::Test, public ApplicationShell {
  protected:
    ApplicationTest() : view(240, 268), mainWindow(240, 310, view), app(*this) {
        platform::setDialogs(&dialogs);
        platform::setPopupMenus(&popups);
        platform::setModalDialogs(&modalDialogs);
        MainFrame::Windows windows{&mainWindow, &menuBar, &toolBar, &optionBar, &view, nullptr};
        EXPECT_TRUE(app.create(windows));
    }
    ~ApplicationTest() override {
        platform::setModalDialogs(nullptr);
        platform::setPopupMenus(nullptr);
        platform::setDialogs(nullptr);
    }

    void closeMainWindow() override {
        ++closeRequests;
        app.destroyed();
    }
    void documentStateChanged(const DocumentState& state) override { states.push_back(state); }

    void stroke() {
        app.stylusDown(20, 20);
        app.stylusMove(40, 40);
        app.stylusUp(40, 40);
    }
    bool hibernated() const { return platform::fileExists(hibernationPath); }

    platform::testing::TempFolder deviceRoot;
    platform::testing::ScopedEnvironment deviceRootVariable{"MIRABO_DEVICE_ROOT",
                                                            deviceRoot.path().c_str()};
    platform::ScriptedDialogs dialogs;
    platform::ScriptedPopupMenus popups;
    platform::ScriptedModalDialogs modalDialogs;
    platform::HeadlessWindow view;
    HeadlessMainWindow mainWindow;
    HeadlessBar menuBar, toolBar, optionBar;
    Application app;
    int closeRequests = 0;
    std::vector<DocumentState> states;
};

TEST_F(ApplicationTest, TheShellHearsOfEachChangeOfTheDocumentsStateOnce) {
    ASSERT_EQ(states.size(), 1u);  // from creation
    EXPECT_FALSE(states[0].modified);
    EXPECT_EQ(states[0].canvasWidth, 600);
    app.showBars();
    stroke();
    ASSERT_GE(states.size(), 2u);
    EXPECT_TRUE(states.back().modified);
    EXPECT_TRUE(states.back().canUndo);
    const std::size_t reports = states.size();
    app.paintRequested();
    app.keyUp(Key::Other);
    app.command(OptionCommand::Zoom);
    EXPECT_EQ(states.size(), reports);
    app.command(OptionCommand::Undo);
    ASSERT_EQ(states.size(), reports + 1);
    EXPECT_FALSE(states.back().canUndo);
    EXPECT_TRUE(states.back().canRedo);
    EXPECT_EQ(states.back(), app.documentState());
}

TEST_F(ApplicationTest, SavingNamesTheDocument) {
    stroke();
    dialogs.queueFileChoice(platform::toUtf16(deviceRoot / "first"));
    EXPECT_FALSE(app.command(MenuCommand::Save));  // left to the shell as well
    EXPECT_FALSE(states.back().modified);
    EXPECT_EQ(states.back().path, platform::toUtf16(deviceRoot / "first.zsf"));
}

TEST_F(ApplicationTest, ControlQClosesAndHibernatesUnsavedWork) {
    stroke();
    EXPECT_TRUE(app.command(MenuCommand::Close));
    EXPECT_EQ(closeRequests, 1);
    EXPECT_TRUE(app.isDestroyed());
    EXPECT_TRUE(dialogs.records().empty());  // no question asked
    EXPECT_TRUE(hibernated());
    // Nothing reaches the program once its window is gone.
    const std::size_t reports = states.size();
    app.stylusDown(5, 5);
    app.command(OptionCommand::Undo);
    EXPECT_EQ(states.size(), reports);
}

TEST_F(ApplicationTest, ExitAsksAndHibernatesNothing) {
    stroke();
    dialogs.queueMessageAnswer(platform::MessageAnswer::Cancel);
    app.command(MenuCommand::Exit);
    EXPECT_EQ(closeRequests, 0);
    EXPECT_FALSE(app.isDestroyed());
    dialogs.queueMessageAnswer(platform::MessageAnswer::No);
    app.command(MenuCommand::Exit);
    EXPECT_EQ(closeRequests, 1);
    EXPECT_FALSE(hibernated());
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_EQ(dialogs.records()[1].caption, u"Save Changes");
}

TEST_F(ApplicationTest, ACloseFromOutsideHibernatesToo) {
    stroke();
    app.destroyed();
    EXPECT_TRUE(hibernated());
    EXPECT_EQ(closeRequests, 0);
}

TEST_F(ApplicationTest, TheNextStartRestoresTheDrawingBeforeTheCommandLine) {
    stroke();
    app.destroyed();
    ASSERT_TRUE(hibernated());

    ApplicationTest* shell = this;
    platform::HeadlessWindow nextView(240, 268);
    HeadlessMainWindow nextWindow(240, 310, nextView);
    HeadlessBar menus, tools, options;
    Application next(*shell);
    ASSERT_TRUE(next.create({&nextWindow, &menus, &tools, &options, &nextView, nullptr}));
    next.restoreHibernatedDrawing();
    next.showBars();
    EXPECT_TRUE(next.documentState().modified);
    EXPECT_FALSE(hibernated());
    // The restored drawing is unsaved work: opening a file asks first.
    dialogs.queueMessageAnswer(platform::MessageAnswer::Cancel);
    next.openCommandLine(u"file:/nonexistent/a.zsf");
    ASSERT_FALSE(dialogs.records().empty());
    EXPECT_EQ(dialogs.records().back().caption, u"Save Changes");
    EXPECT_TRUE(next.documentState().modified);
}

TEST_F(ApplicationTest, AHandedOverCommandLineOpensItsDocument) {
    stroke();
    const std::u16string path = platform::toUtf16(deviceRoot / "handed.zsf");
    ASSERT_TRUE(app.document().saveToPath(path.c_str()));
    stroke();
    // Opening asks about unsaved work first.
    dialogs.queueMessageAnswer(platform::MessageAnswer::No);
    app.openCommandLine(u"FILE:" + path);
    EXPECT_EQ(app.documentState().path, path);
    EXPECT_FALSE(app.documentState().modified);
    EXPECT_FALSE(app.documentState().canUndo);
    // Other verbs and bare paths do nothing, not even ask.
    const std::size_t shown = dialogs.records().size();
    app.openCommandLine(path);
    app.openCommandLine(u"open:" + path);
    EXPECT_EQ(dialogs.records().size(), shown);
}

TEST_F(ApplicationTest, AboutAndTheArrowKeys) {
    EXPECT_TRUE(app.command(MenuCommand::About));
    ASSERT_EQ(modalDialogs.records().size(), 1u);
    EXPECT_EQ(format(modalDialogs.records()[0]), "dialog about -> 1");
    EXPECT_EQ(modalDialogs.records()[0].shownTexts[0], u"About Mirabo");
    app.keyUp(Key::Left);
    EXPECT_EQ(app.frame().currentTool, ToolButton::Hand);
    app.keyUp(Key::Right);
    app.keyUp(Key::Right);
    EXPECT_EQ(app.frame().currentTool, ToolButton::Airbrush);
    app.keyUp(Key::Down);
    EXPECT_EQ(app.frame().airbrushSizeIndex, 5);
    app.keyUp(Key::Up);
    EXPECT_EQ(app.frame().airbrushSizeIndex, 4);
}

TEST_F(ApplicationTest, TheWheelScrollsAndStepsTheZoomWithinItsRange) {
    app.showBars();
    app.wheelScrolled(30, 500);
    EXPECT_EQ(app.frame().scrollX, 30);
    EXPECT_EQ(app.frame().scrollY, 599 - 268);
    app.zoomStepped(2, 0, 0);
    EXPECT_EQ(app.frame().zoomShift, 2);
    EXPECT_EQ(app.frame().scrollX, 120);  // the top-left canvas point stays
    app.zoomStepped(9, 0, 0);
    EXPECT_EQ(app.frame().zoomShift, 4);
    app.zoomStepped(-100, 0, 0);
    EXPECT_EQ(app.frame().zoomShift, -2);
    app.scrollRequested(ScrollRequest::Top, 0, false);
    EXPECT_EQ(app.frame().scrollY, 0);
}

TEST(ApplicationWithoutAViewTest, RunsWithAnEmptyWindowAndLeavesTheHibernationFile) {
    platform::testing::TempFolder root;
    platform::testing::ScopedEnvironment variable{"MIRABO_DEVICE_ROOT", root.path().c_str()};
    struct Shell : ApplicationShell {
        void closeMainWindow() override { ++closes; }
        void documentStateChanged(const DocumentState&) override {}
        int closes = 0;
    } shell;
    ASSERT_TRUE(platform::createDeviceFolders(hibernationPath));
    { std::ofstream(platform::toNativePath(hibernationPath)) << "x"; }
    Application app(shell);
    EXPECT_FALSE(app.create(MainFrame::Windows{}));
    app.restoreHibernatedDrawing();
    app.showBars();
    app.stylusDown(1, 1);
    EXPECT_TRUE(platform::fileExists(hibernationPath));
    app.command(MenuCommand::Exit);
    EXPECT_EQ(shell.closes, 1);
}

}  // namespace
