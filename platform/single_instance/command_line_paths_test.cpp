#include "platform/single_instance/command_line_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/files/testing/temp_folder.h"

namespace platform {
namespace {

using testing::put;
using testing::TempFolder;

class CommandLinePathsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.ok());
        ASSERT_EQ(mkdir((temp / "sub").c_str(), 0700), 0);
        put(temp / "sub/a.zsf", "x");
        put(temp / "file:b.zsf", "x");
    }
    TempFolder temp;
};

TEST_F(CommandLinePathsTest, FileVerbWithARelativePathBecomesAbsolute) {
    const std::string here = temp.path();
    EXPECT_EQ(withAbsolutePath("file:sub/a.zsf", here), "file:" + here + "/sub/a.zsf");
    // The verb keeps its spelling; only the first colon splits.
    EXPECT_EQ(withAbsolutePath("FILE:x:y.zsf", here), "FILE:" + here + "/x:y.zsf");
    // Missing files too: the running instance reports them, with the full name.
    EXPECT_EQ(withAbsolutePath("File:../gone.zsf", here + "/"), "File:" + here + "/../gone.zsf");
}

TEST_F(CommandLinePathsTest, AnExistingFileNamedAloneBecomesAbsolute) {
    const std::string here = temp.path();
    EXPECT_EQ(withAbsolutePath("sub/a.zsf", here), here + "/sub/a.zsf");
    // A file whose name looks like a command line is still that file.
    EXPECT_EQ(withAbsolutePath("file:b.zsf", here), here + "/file:b.zsf");
}

TEST_F(CommandLinePathsTest, EverythingElseStaysAsItIs) {
    const std::string here = temp.path();
    for (const char* line : {"", "file", "file:", "file:/abs/a.zsf", "file:\\Temp\\a.zsf",
                             "open:sub/a.zsf", "sub/missing.zsf", "sub", "/abs/a.zsf"})
        EXPECT_EQ(withAbsolutePath(line, here), line) << line;
    EXPECT_EQ(withAbsolutePath("file:sub/a.zsf", ""), "file:sub/a.zsf");
}

TEST_F(CommandLinePathsTest, CurrentFolderIsAbsolute) {
    const std::string folder = currentFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
}

}  // namespace
}  // namespace platform
