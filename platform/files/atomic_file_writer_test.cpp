#include "platform/files/atomic_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"

namespace platform {
namespace {

using testing::ScopedEnvironment;
using testing::contents;
using testing::put;
using testing::TempFolder;

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class AtomicFileWriterTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(temp.ok()); }
    std::string native(const std::string& name) const { return temp / name; }
    std::u16string path(const std::string& name) const { return toUtf16(temp / name); }

    TempFolder temp;
};

TEST_F(AtomicFileWriterTest, CommitReplacesTheOldFileAndLeavesNoTemporary) {
    put(native("doc.zsf"), "old picture");
    auto writer = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("new ", 4));
    EXPECT_TRUE(writer->write("picture", 7));
    // Nothing shows before the commit.
    EXPECT_EQ(contents(native("doc.zsf")), "old picture");
    EXPECT_TRUE(writer->commit());
    EXPECT_EQ(contents(native("doc.zsf")), "new picture");
    writer.reset();
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"doc.zsf"}));
}

TEST_F(AtomicFileWriterTest, AnAbandonedWriterLeavesTheOldFileUntouched) {
    put(native("doc.zsf"), "old picture");
    std::string temporary;
    {
        auto writer = AtomicFileWriter::create(path("doc.zsf"));
        ASSERT_TRUE(writer);
        temporary = writer->temporaryPath();
        EXPECT_TRUE(writer->write("half a pic", 10));
        EXPECT_TRUE(std::filesystem::exists(temporary));
    }
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(contents(native("doc.zsf")), "old picture");
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"doc.zsf"}));
}

TEST_F(AtomicFileWriterTest, ATargetThatDidNotExistAppearsOnlyAtTheCommit) {
    auto writer = AtomicFileWriter::create(path("fresh.bmp"));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("BM", 2));
    EXPECT_FALSE(std::filesystem::exists(native("fresh.bmp")));
    EXPECT_TRUE(writer->commit());
    EXPECT_EQ(contents(native("fresh.bmp")), "BM");
}

TEST_F(AtomicFileWriterTest, TheTemporaryFileIsBesideTheTarget) {
    auto writer = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(writer);
    EXPECT_EQ(std::filesystem::path(writer->temporaryPath()).parent_path(),
              std::filesystem::path(temp.path()));
    // Two writers for one target never share a temporary file.
    auto other = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(other);
    EXPECT_NE(writer->temporaryPath(), other->temporaryPath());
}

TEST_F(AtomicFileWriterTest, TheFileCanBePatchedBeforeTheCommit) {
    auto writer = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("0000rest", 8));
    ASSERT_TRUE(writer->file().seek(0, SeekOrigin::Begin));
    EXPECT_TRUE(writer->file().write("1234", 4));
    EXPECT_TRUE(writer->commit());
    EXPECT_EQ(contents(native("doc.zsf")), "1234rest");
}

TEST_F(AtomicFileWriterTest, ACommitWorksOnceAndEndsTheWriting) {
    auto writer = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("one", 3));
    EXPECT_TRUE(writer->commit());
    EXPECT_FALSE(writer->write("two", 3));
    EXPECT_FALSE(writer->commit());
    writer.reset();
    EXPECT_EQ(contents(native("doc.zsf")), "one");
}

TEST_F(AtomicFileWriterTest, AFailedCommitLeavesTheTargetAndNoTemporary) {
    // A folder where the file should go cannot be replaced by a file.
    ASSERT_TRUE(std::filesystem::create_directory(native("doc.zsf")));
    put(native("doc.zsf/inside"), "kept");
    auto writer = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("x", 1));
    EXPECT_FALSE(writer->commit());
    EXPECT_EQ(contents(native("doc.zsf/inside")), "kept");
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"doc.zsf"}));
}

TEST_F(AtomicFileWriterTest, NoWriterWithoutAFolderToWriteIn) {
    EXPECT_FALSE(AtomicFileWriter::create(path("missing/doc.zsf")));
    EXPECT_FALSE(AtomicFileWriter::create(u""));
    EXPECT_FALSE(AtomicFileWriter::create(u"\\Temp\\..\\..\\doc.zsf"));
}

TEST_F(AtomicFileWriterTest, TheReplacementKeepsThePermissionsOfTheOldFile) {
    put(native("doc.zsf"), "old");
    ASSERT_EQ(chmod(native("doc.zsf").c_str(), 0640), 0);
    auto writer = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(writer);
    ASSERT_TRUE(writer->commit());
    struct stat info {};
    ASSERT_EQ(stat(native("doc.zsf").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(AtomicFileWriterTest, ADeviceTargetGetsItsFolders) {
    ScopedEnvironment device("MIRABO_DEVICE_ROOT", native("device").c_str());
    auto writer = AtomicFileWriter::create(u"\\Temp\\hibernate_sketch.zsf");
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("h", 1));
    EXPECT_TRUE(writer->commit());
    EXPECT_EQ(contents(native("device/Temp/hibernate_sketch.zsf")), "h");
}

}  // namespace
}  // namespace platform
