#include "app/startup/program_arguments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/device_path.h"
#include "platform/files/testing/temp_folder.h"

namespace {

ProgramArguments parse(std::vector<std::string> arguments) {
    std::vector<const char*> argv{"mirabo"};
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    return readProgramArguments(int(argv.size()), argv.data());
}

class ProgramArgumentsTest : public ::testing::Test {
  protected:
    ProgramArgumentsTest() {
        platform::testing::put(folder / "a.zsf", "x");
        platform::testing::put(folder / "my picture.zsf", "x");
        std::filesystem::create_directory(folder / "sub");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
    }
    ~ProgramArgumentsTest() override { std::filesystem::current_path(previous); }

    platform::testing::TempFolder folder;
    platform::testing::TempFolder deviceRoot;
    platform::testing::ScopedEnvironment deviceRootVariable{"MIRABO_DEVICE_ROOT",
                                                            deviceRoot.path().c_str()};
    std::filesystem::path previous;
};

TEST_F(ProgramArgumentsTest, AnExistingFileIsOpenedAsTheDesktopsOpenCommandWould) {
    EXPECT_EQ(parse({"a.zsf"}).commandLine, "file:a.zsf");
    EXPECT_EQ(parse({folder / "a.zsf"}).commandLine, "file:" + (folder / "a.zsf"));
    // A name with a space, given unquoted, is whole again.
    EXPECT_EQ(parse({"my", "picture.zsf"}).commandLine, "file:my picture.zsf");
    EXPECT_EQ(parse({"my picture.zsf"}).commandLine, "file:my picture.zsf");
    // A device path is looked for where the document will look.
    platform::createDeviceFolders(u"\\Temp\\d.zsf");
    platform::testing::put(deviceRoot / "Temp/d.zsf", "x");
    EXPECT_EQ(parse({"\\Temp\\d.zsf"}).commandLine, "file:\\Temp\\d.zsf");
}

TEST_F(ProgramArgumentsTest, AnythingElseIsPassedOnAsItIs) {
    EXPECT_EQ(parse({}).commandLine, "");
    EXPECT_EQ(parse({}).request, ProgramArguments::Request::Run);
    EXPECT_EQ(parse({"file:a.zsf"}).commandLine, "file:a.zsf");
    EXPECT_EQ(parse({"FILE:missing.zsf"}).commandLine, "FILE:missing.zsf");
    EXPECT_EQ(parse({"missing.zsf"}).commandLine, "missing.zsf");  // ignored later
    EXPECT_EQ(parse({"sub"}).commandLine, "sub");                  // a folder is no document
    EXPECT_EQ(parse({"open:a.zsf"}).commandLine, "open:a.zsf");
    EXPECT_EQ(parse({"file"}).commandLine, "file");  // the Open dialog
    EXPECT_EQ(parse({"a.zsf", "--help"}).commandLine, "a.zsf --help");
}

TEST_F(ProgramArgumentsTest, TheToolkitsOwnOptionsAreLeftOut) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"-platform", "offscreen", "a.zsf"}, "file:a.zsf"},
        {{"my", "-style=fusion", "picture.zsf", "--reverse"}, "file:my picture.zsf"},
        {{"--platformtheme", "gtk3", "-session", "1234_5", "file:x.zsf"}, "file:x.zsf"},
        {{"-qmljsdebugger=port:1", "-widgetcount", "-geometry", "10x10+0+0"}, ""},
        // An option whose value is missing takes nothing else with it.
        {{"a.zsf", "-stylesheet"}, "file:a.zsf"},
        // Dashes the toolkit does not know are the document's business.
        {{"-x.zsf"}, "-x.zsf"},
        {{"-platforms", "a.zsf"}, "-platforms a.zsf"},
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(parse(arguments).commandLine, expected) << arguments.front();
}

TEST_F(ProgramArgumentsTest, HelpAndVersionComeFirst) {
    EXPECT_EQ(parse({"--help"}).request, ProgramArguments::Request::Help);
    EXPECT_EQ(parse({"-h", "a.zsf"}).request, ProgramArguments::Request::Help);
    EXPECT_EQ(parse({"--version"}).request, ProgramArguments::Request::Version);
    EXPECT_TRUE(parse({"--version"}).commandLine.empty());
    EXPECT_EQ(programHelpText().rfind("usage: mirabo", 0), 0u);
    EXPECT_EQ(programVersionText().rfind("mirabo ", 0), 0u);
    EXPECT_EQ(programVersionText().back(), '\n');
}

TEST(CommandLineTextTest, KeepsBytesThatAreNotUtf8) {
    EXPECT_EQ(commandLineText("file:/tmp/a.zsf"), u"file:/tmp/a.zsf");
    const std::string latin1 = "file:/tmp/caf\xE9.zsf";
    EXPECT_EQ(platform::toNativePath(commandLineText(latin1)), latin1);
}

}  // namespace
