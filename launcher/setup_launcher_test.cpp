#include "launcher/setup_launcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/testing/fake_win32.h"

namespace launcher {
namespace {

using testing::FakeWin32;

const std::string kManagerPath = "C:\\Program Files\\Sync\\CEAppMgr.exe";

// A registry string as the system stores it: with its terminating zero.
std::string stored(const std::string& text) {
    return text + '\0';
}

InstanceHandle ownInstance() {
    static int instance;
    return &instance;
}

struct LauncherTest : ::testing::Test {
    FakeWin32 win32;
    LauncherTest() {
        win32.defaultValue = stored(kManagerPath);
        win32.currentDirectory = "D:\\Mirabo Setup Disk\\Pocket PC";
    }
    LauncherExit run() { return runSetupLauncher(win32, ownInstance()); }

    void expectOneErrorBox(const char* text) {
        ASSERT_EQ(win32.messageBoxes.size(), 1u);
        const testing::RecordedMessageBox& box = win32.messageBoxes[0];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.type, kMessageBoxOk);
    }
    void expectNothingLaunched() {
        EXPECT_TRUE(win32.requests.empty());
        EXPECT_TRUE(win32.debugOutput.empty());
    }
};

// --- Starting the application manager --------------------------------------

TEST_F(LauncherTest, StartsTheManagerWithTheQuotedSetupIniOfTheCurrentDirectory) {
    EXPECT_EQ(run(), LauncherExit::Started);

    EXPECT_EQ(win32.openedRoot, localMachineKey());
    EXPECT_EQ(win32.openedSubKey,
              "software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAppMgr.exe");
    EXPECT_EQ(win32.openedAccess, kKeyRead);
    EXPECT_TRUE(win32.queriedDefaultValue);
    EXPECT_EQ(win32.queryByteCount, 261u);
    EXPECT_EQ(win32.queryType, kRegString);

    ASSERT_EQ(win32.requests.size(), 1u);
    const testing::RecordedRequest& request = win32.requests[0];
    EXPECT_EQ(request.size, sizeof(ShellExecuteInfo));
    // The shell shows no box of its own.
    EXPECT_EQ(request.mask, kShellExecuteNoUi);
    EXPECT_EQ(request.owner, nullptr);
    EXPECT_FALSE(request.hasVerb);
    EXPECT_EQ(request.file, kManagerPath);
    // The spaces stay inside one quoted argument.
    EXPECT_EQ(request.parameters, "\"D:\\Mirabo Setup Disk\\Pocket PC\\Setup.ini\"");
    EXPECT_FALSE(request.hasDirectory);
    EXPECT_EQ(request.show, 10);
    EXPECT_EQ(request.instance, ownInstance());

    EXPECT_TRUE(win32.messageBoxes.empty());
}

TEST_F(LauncherTest, TellsTheDebuggerWhatItLaunchesBeforeLaunching) {
    win32.launchSucceeds = false;
    run();
    const std::vector<std::string> expected = {
        "Launching ", kManagerPath, " ", "\"D:\\Mirabo Setup Disk\\Pocket PC\\Setup.ini\"", "\n"};
    EXPECT_EQ(win32.debugOutput, expected);
}

TEST_F(LauncherTest, TheRequestSizeIsThePlatformsOwn) {
    // The published record is 60 bytes with 32-bit pointers and 112 with
    // 64-bit ones; the launcher is built for the latter.
    EXPECT_EQ(sizeof(ShellExecuteInfo), sizeof(void*) == 8 ? 112u : 60u);
}

TEST_F(LauncherTest, APathWithVariablesIsExpandedOnlyWhenStoredAsExpandable) {
    win32.environment["ProgramFiles"] = "C:\\Program Files";
    win32.defaultValue = stored("%ProgramFiles%\\Sync\\CEAppMgr.exe");
    win32.defaultValueType = kRegExpandString;
    EXPECT_EQ(run(), LauncherExit::Started);
    win32.defaultValueType = kRegString;
    EXPECT_EQ(run(), LauncherExit::Started);
    ASSERT_EQ(win32.requests.size(), 2u);
    EXPECT_EQ(win32.requests[0].file, kManagerPath);
    EXPECT_EQ(win32.debugOutput.at(1), kManagerPath);
    EXPECT_EQ(win32.requests[1].file, "%ProgramFiles%\\Sync\\CEAppMgr.exe");
}

TEST_F(LauncherTest, AnExpandedPathTooLongForTheBufferIsNotUsed) {
    win32.environment["Long"] = "C:\\" + std::string(300, 'm');
    win32.defaultValue = stored("%Long%\\CEAppMgr.exe");
    win32.defaultValueType = kRegExpandString;
    EXPECT_EQ(run(), LauncherExit::PathNotRead);
    expectOneErrorBox("Unable to find Application Manager for PocketPC Applications");
    expectNothingLaunched();
}

// --- Failures --------------------------------------------------------------

TEST_F(LauncherTest, NoRegisteredManagerGivesOneAndTheNotFoundBox) {
    win32.keyExists = false;
    EXPECT_EQ(run(), LauncherExit::KeyNotFound);
    EXPECT_EQ(static_cast<int>(LauncherExit::KeyNotFound), 1);
    expectOneErrorBox("Unable to find Application Manager for PocketPC Applications");
    EXPECT_EQ(win32.valueQueries, 0);
    expectNothingLaunched();
}

TEST_F(LauncherTest, AKeyWithoutADefaultValueGivesTwoAndTheNotFoundBox) {
    win32.defaultValue.reset();
    EXPECT_EQ(run(), LauncherExit::PathNotRead);
    EXPECT_EQ(static_cast<int>(LauncherExit::PathNotRead), 2);
    expectOneErrorBox("Unable to find Application Manager for PocketPC Applications");
    expectNothingLaunched();
}

TEST_F(LauncherTest, AFailedLaunchGivesThreeAndTheLaunchBox) {
    win32.launchSucceeds = false;
    EXPECT_EQ(run(), LauncherExit::LaunchFailed);
    EXPECT_EQ(static_cast<int>(LauncherExit::LaunchFailed), 3);
    EXPECT_EQ(win32.requests.size(), 1u);
    expectOneErrorBox("Unable to Launch Application Manager for PocketPC Applications");
}

// --- Values and directories at the buffers' limits --------------------------

TEST_F(LauncherTest, AManagerPathOfTheWholeBufferIsUsedWhole) {
    // 260 characters and the terminator fill the 261 bytes exactly.
    const std::string longest = "C:\\" + std::string(253, 'm') + ".exe";
    ASSERT_EQ(longest.size(), 260u);
    win32.defaultValue = stored(longest);
    EXPECT_EQ(run(), LauncherExit::Started);
    ASSERT_EQ(win32.requests.size(), 1u);
    EXPECT_EQ(win32.requests[0].file, longest);
}

TEST_F(LauncherTest, AValueStoredWithoutItsTerminatorIsEndedWhereItsDataEnds) {
    win32.defaultValue = kManagerPath;
    EXPECT_EQ(run(), LauncherExit::Started);
    ASSERT_EQ(win32.requests.size(), 1u);
    EXPECT_EQ(win32.requests[0].file, kManagerPath);
    EXPECT_EQ(win32.debugOutput.at(1), kManagerPath);
}

TEST_F(LauncherTest, AValueFillingTheBufferWithoutATerminatorIsNotUsed) {
    win32.defaultValue = "C:\\" + std::string(254, 'm') + ".exe";
    ASSERT_EQ(win32.defaultValue->size(), 261u);
    EXPECT_EQ(run(), LauncherExit::PathNotRead);
    expectOneErrorBox("Unable to find Application Manager for PocketPC Applications");
    expectNothingLaunched();
}

TEST_F(LauncherTest, AValueThatIsNotTextIsNotUsed) {
    for (const std::uint32_t type :
         {3u /* REG_BINARY */, 4u /* REG_DWORD */, 7u /* REG_MULTI_SZ */}) {
        win32.defaultValueType = type;
        EXPECT_EQ(run(), LauncherExit::PathNotRead) << type;
    }
    expectNothingLaunched();
}

TEST_F(LauncherTest, AValueLongerThanTheBufferIsNotUsed) {
    win32.defaultValue = stored("C:\\" + std::string(400, 'm') + ".exe");
    EXPECT_EQ(run(), LauncherExit::PathNotRead);
    expectOneErrorBox("Unable to find Application Manager for PocketPC Applications");
    expectNothingLaunched();
}

TEST_F(LauncherTest, TheLongestDirectoryTheBufferHoldsIsPassedWhole) {
    win32.currentDirectory = "E:\\" + std::string(254, 'd');
    ASSERT_EQ(win32.currentDirectory.size(), 257u);
    EXPECT_EQ(run(), LauncherExit::Started);
    ASSERT_EQ(win32.requests.size(), 1u);
    EXPECT_EQ(win32.requests[0].parameters, "\"" + win32.currentDirectory + "\\Setup.ini\"");
}

TEST_F(LauncherTest, ADirectoryLongerThanTheBufferStopsTheLaunch) {
    // 258 characters need 259 bytes: nothing usable arrives.
    win32.currentDirectory = "E:\\" + std::string(255, 'd');
    EXPECT_EQ(run(), LauncherExit::LaunchFailed);
    expectOneErrorBox("Unable to Launch Application Manager for PocketPC Applications");
    expectNothingLaunched();
}

TEST_F(LauncherTest, AnUnreadableDirectoryStopsTheLaunch) {
    win32.directoryFails = true;
    EXPECT_EQ(run(), LauncherExit::LaunchFailed);
    expectOneErrorBox("Unable to Launch Application Manager for PocketPC Applications");
    expectNothingLaunched();
}

}  // namespace
}  // namespace launcher
