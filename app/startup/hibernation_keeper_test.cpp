#include "app/startup/hibernation_keeper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/frame/command_ids.h"
#include "app/frame/headless_bar.h"
#include "app/frame/headless_main_window.h"
#include "app/startup/application.h"
#include "app/startup/hibernation.h"
#include "platform/dialogs/scripted_dialogs.h"
#include "platform/dialogs/scripted_popup_menus.h"
#include "platform/files/device_path.h"
#include "platform/files/file.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"
#include "platform/window/headless_window.h"

struct AboutBoxContents;

namespace {

constexpr std::uint32_t copyTimer = HibernationKeeper::timerId;

// One run of the program on headless windows. The shell closes the window
// at once when asked, as the real one does.
struct ProgramRun : ApplicationShell {
    ProgramRun() : view(240, 268), mainWindow(240, 310, view), app(*this) {
        EXPECT_TRUE(app.create({&mainWindow, &menuBar, &toolBar, &optionBar, &view, nullptr}));
    }
    // Starts as the program does, with whatever the last run left behind.
    void startUp() {
        app.restoreHibernatedDrawing();
        app.showBars();
    }

    void closeMainWindow() override { app.destroyed(); }
    int runAboutBox(const AboutBoxContents&) { return 1; }
    void documentStateChanged(const DocumentState&) override {}

    void stroke(std::int32_t from = 20, std::int32_t to = 40) {
        app.stylusDown(from, from);
        app.stylusMove(to, to);
        app.stylusUp(to, to);
    }
    std::uint32_t copyWait() const { return view.timerPeriod(copyTimer); }
    // The event loop reaching the copy timer, if it runs.
    void timePasses() {
        if (copyWait() != 0) app.timer(copyTimer);
    }
    // The picture the user sees, row bytes of the canvas only.
    std::vector<std::uint8_t> livePicture() const {
        const Canvas& canvas = app.document().canvas;
        const std::size_t bytes = std::size_t(canvas.height()) * canvas.rowStride();
        const std::uint8_t* first = canvas.liveBits() + canvas.pixelOffset(0, canvas.height() - 1);
        return std::vector<std::uint8_t>(first, first + bytes);
    }

    platform::HeadlessWindow view;
    HeadlessMainWindow mainWindow;
    HeadlessBar menuBar, toolBar, optionBar;
    Application app;
};

class HibernationKeeperTest : public ::testing::Test {
  protected:
    HibernationKeeperTest() {
        platform::setDialogs(&dialogs);
        platform::setPopupMenus(&popups);
        run = std::make_unique<ProgramRun>();
        run->startUp();
    }
    ~HibernationKeeperTest() override {
        run.reset();
        platform::setPopupMenus(nullptr);
        platform::setDialogs(nullptr);
    }

    bool hibernated() const { return platform::fileExists(hibernationPath); }
    HibernationKeeper& keeper() { return run->app.hibernationKeeper(); }
    // A kill or a crash: the run ends without its window's close.
    std::unique_ptr<ProgramRun> crashAndStartAgain() {
        auto next = std::make_unique<ProgramRun>();
        next->startUp();
        return next;
    }

    platform::testing::TempFolder deviceRoot;
    platform::testing::ScopedEnvironment deviceRootVariable{"MIRABO_DEVICE_ROOT",
                                                            deviceRoot.path().c_str()};
    platform::ScriptedDialogs dialogs;
    platform::ScriptedPopupMenus popups;
    std::unique_ptr<ProgramRun> run;
};

TEST_F(HibernationKeeperTest, UnsavedWorkIsCopiedOnceTheIntervalHasPassed) {
    EXPECT_EQ(run->copyWait(), 0u);  // nothing to keep yet
    run->stroke();
    EXPECT_EQ(run->copyWait(), HibernationKeeper::defaultIntervalMs);
    EXPECT_FALSE(hibernated());
    // Later work does not push the copy back, so steady work is copied too.
    run->stroke(60, 90);
    run->timePasses();
    EXPECT_TRUE(hibernated());
    EXPECT_EQ(keeper().copies(), 1);
    EXPECT_EQ(run->copyWait(), 0u);  // until the next change

    // The copy leaves the document as it was: still unsaved, still undoable.
    const DocumentState state = run->app.documentState();
    EXPECT_TRUE(state.modified);
    EXPECT_TRUE(state.canUndo);
    const std::vector<std::uint8_t> picture = run->livePicture();

    auto next = crashAndStartAgain();
    EXPECT_TRUE(next->app.documentState().modified);
    EXPECT_EQ(next->livePicture(), picture);  // both strokes

    // Undo in the first run still takes back the second stroke only.
    run->app.command(OptionCommand::Undo);
    EXPECT_NE(run->livePicture(), picture);
    EXPECT_TRUE(run->app.documentState().canRedo);
}

TEST_F(HibernationKeeperTest, AStrokeInProgressPutsTheCopyOffUntilTheStylusLifts) {
    run->stroke(60, 90);
    run->app.stylusDown(20, 20);
    run->app.stylusMove(30, 30);
    run->timePasses();
    EXPECT_FALSE(hibernated());
    EXPECT_EQ(run->copyWait(), 0u);
    run->app.stylusMove(40, 40);
    EXPECT_FALSE(hibernated());
    run->app.stylusUp(40, 40);
    ASSERT_TRUE(hibernated());
    EXPECT_EQ(keeper().copies(), 1);

    const std::vector<std::uint8_t> picture = run->livePicture();
    auto next = crashAndStartAgain();
    EXPECT_EQ(next->livePicture(), picture);  // the whole stroke
}

TEST_F(HibernationKeeperTest, TheRestoredDrawingIsCopiedAgainAtOnce) {
    run->stroke();
    run->timePasses();
    auto next = crashAndStartAgain();
    // Reading took the file; a second crash before any change must not lose it.
    EXPECT_FALSE(hibernated());
    EXPECT_EQ(next->copyWait(), 1u);
    next->timePasses();
    EXPECT_TRUE(hibernated());
    auto third = crashAndStartAgain();
    EXPECT_TRUE(third->app.documentState().modified);
    EXPECT_EQ(third->livePicture(), run->livePicture());
}

TEST_F(HibernationKeeperTest, ACopyComesBackUnderTheDocumentsName) {
    const std::u16string named = platform::toUtf16(deviceRoot / "named.zsf");
    dialogs.queueFileChoice(named);
    run->app.command(MenuCommand::Save);
    run->stroke();
    run->timePasses();
    auto next = crashAndStartAgain();
    EXPECT_EQ(next->app.documentState().path, named);
    EXPECT_TRUE(next->app.documentState().modified);
}

TEST_F(HibernationKeeperTest, WorkSavedOrDiscardedLeavesNoCopy) {
    run->stroke();
    run->timePasses();
    ASSERT_TRUE(hibernated());
    dialogs.queueFileChoice(platform::toUtf16(deviceRoot / "saved"));
    run->app.command(MenuCommand::Save);
    EXPECT_FALSE(hibernated());
    EXPECT_EQ(run->copyWait(), 0u);

    // New, after the question is answered No.
    run->stroke();
    run->timePasses();
    ASSERT_TRUE(hibernated());
    dialogs.queueMessageAnswer(platform::MessageAnswer::No);
    run->app.command(MenuCommand::New);
    EXPECT_FALSE(run->app.documentState().modified);
    EXPECT_FALSE(hibernated());

    // Open, likewise.
    run->stroke();
    run->timePasses();
    ASSERT_TRUE(hibernated());
    dialogs.queueMessageAnswer(platform::MessageAnswer::No);
    run->app.openCommandLine(u"file:" + platform::toUtf16(deviceRoot / "saved.zsf"));
    EXPECT_FALSE(run->app.documentState().modified);
    EXPECT_FALSE(hibernated());

    // Cancelling keeps both the work and its copy.
    run->stroke();
    run->timePasses();
    dialogs.queueMessageAnswer(platform::MessageAnswer::Cancel);
    run->app.command(MenuCommand::New);
    EXPECT_TRUE(hibernated());
}

TEST_F(HibernationKeeperTest, ExitAnsweredNoLeavesNoCopy) {
    run->stroke();
    run->timePasses();
    ASSERT_TRUE(hibernated());
    dialogs.queueMessageAnswer(platform::MessageAnswer::No);
    run->app.command(MenuCommand::Exit);
    EXPECT_TRUE(run->app.isDestroyed());
    EXPECT_FALSE(hibernated());
    // Nothing comes back at the next start.
    auto next = crashAndStartAgain();
    EXPECT_FALSE(next->app.documentState().modified);
}

TEST_F(HibernationKeeperTest, ExitAfterSavingLeavesNoCopy) {
    run->stroke();
    run->timePasses();
    dialogs.queueMessageAnswer(platform::MessageAnswer::Yes);
    dialogs.queueFileChoice(platform::toUtf16(deviceRoot / "kept"));
    run->app.command(MenuCommand::Exit);
    EXPECT_TRUE(run->app.isDestroyed());
    EXPECT_FALSE(hibernated());
    EXPECT_TRUE(platform::fileExists(platform::toUtf16(deviceRoot / "kept.zsf")));
}

TEST_F(HibernationKeeperTest, AClosedWindowHibernatesTheWholeDrawingAndStopsCopying) {
    run->stroke();
    run->timePasses();
    run->stroke(60, 90);
    ASSERT_NE(run->copyWait(), 0u);
    const std::vector<std::uint8_t> picture = run->livePicture();
    run->app.command(MenuCommand::Close);
    EXPECT_EQ(run->copyWait(), 0u);
    auto next = crashAndStartAgain();
    EXPECT_TRUE(next->app.documentState().modified);
    EXPECT_EQ(next->livePicture(), picture);
}

TEST_F(HibernationKeeperTest, TheIntervalCanBeShortenedAndACopyForcedForTheSessionManager) {
    keeper().setInterval(0);
    EXPECT_EQ(keeper().interval(), 1u);
    keeper().setInterval(2000);
    EXPECT_FALSE(keeper().copyNow());  // nothing unsaved
    run->stroke();
    EXPECT_EQ(run->copyWait(), 2000u);
    run->app.stylusDown(50, 50);
    EXPECT_FALSE(keeper().copyNow());  // not in the middle of a stroke
    run->app.stylusUp(50, 50);
    EXPECT_TRUE(keeper().copyNow());
    EXPECT_TRUE(hibernated());
    EXPECT_EQ(run->copyWait(), 0u);
}

TEST_F(HibernationKeeperTest, ACopyThatCannotBeWrittenKeepsTheLastOne) {
    run->stroke();
    run->timePasses();
    ASSERT_TRUE(hibernated());
    const std::string copyPath = platform::toNativePath(hibernationPath);
    const std::string before = platform::testing::contents(copyPath);
    {
        // The device's folders cannot be made under a plain file.
        platform::testing::put(deviceRoot / "blocker", "x");
        const std::string blocked = deviceRoot / "blocker/root";
        platform::testing::ScopedEnvironment unusable{"MIRABO_DEVICE_ROOT", blocked.c_str()};
        run->stroke(60, 90);
        run->timePasses();
    }
    EXPECT_EQ(keeper().failedCopies(), 1);
    EXPECT_EQ(platform::testing::contents(copyPath), before);
    EXPECT_TRUE(run->app.documentState().modified);
    // The next change tries again.
    run->stroke(100, 120);
    run->timePasses();
    EXPECT_EQ(keeper().copies(), 2);
    EXPECT_NE(platform::testing::contents(copyPath), before);
}

TEST(HibernationIntervalTest, ReadsSecondsAndRefusesAnythingElse) {
    EXPECT_EQ(hibernationIntervalFromSeconds("30"), 30000u);
    EXPECT_EQ(hibernationIntervalFromSeconds("0.5"), 500u);
    EXPECT_EQ(hibernationIntervalFromSeconds("0.001"), 1u);
    EXPECT_EQ(hibernationIntervalFromSeconds("86400"), 86400000u);
    for (const char* bad : {"", "0", "-1", "0.0001", "86401", "1e9", "30s", " 30", "nan", "inf"})
        EXPECT_EQ(hibernationIntervalFromSeconds(bad), 0u) << bad;
}

}  // namespace
