#include "platform/files/atomic_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/device_path.h"
#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"

namespace platform {
namespace {

using testing::contents;
using testing::put;
using testing::ScopedEnvironment;
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
    auto writer = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("x", 1));
    // A folder made where the file should go cannot be replaced by a file.
    ASSERT_TRUE(std::filesystem::create_directory(native("doc.zsf")));
    put(native("doc.zsf/inside"), "kept");
    EXPECT_FALSE(writer->commit());
    EXPECT_EQ(contents(native("doc.zsf/inside")), "kept");
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"doc.zsf"}));
}

TEST_F(AtomicFileWriterTest, NoWriterWithoutAFolderToWriteIn) {
    EXPECT_FALSE(AtomicFileWriter::create(path("missing/doc.zsf")));
    EXPECT_FALSE(AtomicFileWriter::create(u""));
    EXPECT_FALSE(AtomicFileWriter::create(u"\\Temp\\..\\..\\doc.zsf"));
}

mode_t modeOf(const std::string& file) {
    struct stat info {};
    return stat(file.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST_F(AtomicFileWriterTest, TheReplacementKeepsThePermissionsOfTheOldFile) {
    for (const mode_t mode : {0640, 0600, 0664, 0755, 0604}) {
        put(native("doc.zsf"), "old");
        ASSERT_EQ(chmod(native("doc.zsf").c_str(), mode), 0);
        auto writer = AtomicFileWriter::create(path("doc.zsf"));
        ASSERT_TRUE(writer) << std::oct << mode;
        EXPECT_TRUE(writer->write("new", 3));
        ASSERT_TRUE(writer->commit());
        EXPECT_EQ(modeOf(native("doc.zsf")), mode);
        EXPECT_EQ(contents(native("doc.zsf")), "new");
    }
}

TEST_F(AtomicFileWriterTest, TheSuperuserKeepsTheOwnerOfTheOldFile) {
    if (geteuid() != 0) GTEST_SKIP() << "only the superuser may give a file away";
    put(native("doc.zsf"), "old");
    ASSERT_EQ(chown(native("doc.zsf").c_str(), 4321, 4322), 0);
    auto writer = AtomicFileWriter::create(path("doc.zsf"));
    ASSERT_TRUE(writer);
    ASSERT_TRUE(writer->commit());
    struct stat info {};
    ASSERT_EQ(stat(native("doc.zsf").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

// Holds for every user: a file nobody may write is refused by the access
// check, and by the superuser's own rule when the tests run as root.
TEST_F(AtomicFileWriterTest, AReadOnlyFileIsNotReplaced) {
    put(native("doc.zsf"), "old picture");
    ASSERT_EQ(chmod(native("doc.zsf").c_str(), 0444), 0);
    EXPECT_FALSE(AtomicFileWriter::create(path("doc.zsf")));
    EXPECT_EQ(contents(native("doc.zsf")), "old picture");
    EXPECT_EQ(modeOf(native("doc.zsf")), 0444u);
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"doc.zsf"}));
}

TEST_F(AtomicFileWriterTest, AFileOnlyOthersMayWriteIsNotReplaced) {
    // The owner's bits count for the owner, whatever the others may do;
    // the superuser is not held by them.
    if (geteuid() == 0) GTEST_SKIP() << "the superuser passes the owner's bits";
    put(native("doc.zsf"), "old picture");
    ASSERT_EQ(chmod(native("doc.zsf").c_str(), 0466), 0);
    EXPECT_FALSE(AtomicFileWriter::create(path("doc.zsf")));
    EXPECT_EQ(contents(native("doc.zsf")), "old picture");
}

TEST_F(AtomicFileWriterTest, OnlyPlainFilesAreReplaced) {
    ASSERT_TRUE(std::filesystem::create_directory(native("folder.zsf")));
    EXPECT_FALSE(AtomicFileWriter::create(path("folder.zsf")));
    ASSERT_EQ(mkfifo(native("pipe.zsf").c_str(), 0666), 0);
    EXPECT_FALSE(AtomicFileWriter::create(path("pipe.zsf")));
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"folder.zsf", "pipe.zsf"}));
}

TEST_F(AtomicFileWriterTest, SavingThroughALinkWritesTheFileItPointsTo) {
    ASSERT_TRUE(std::filesystem::create_directory(native("real")));
    put(native("real/doc.zsf"), "old");
    ASSERT_EQ(chmod(native("real/doc.zsf").c_str(), 0604), 0);
    // A relative link, reached through a second, absolute one.
    ASSERT_EQ(symlink("real/doc.zsf", native("near.zsf").c_str()), 0);
    ASSERT_EQ(symlink(native("near.zsf").c_str(), native("far.zsf").c_str()), 0);
    auto writer = AtomicFileWriter::create(path("far.zsf"));
    ASSERT_TRUE(writer);
    EXPECT_EQ(std::filesystem::path(writer->temporaryPath()).parent_path(),
              std::filesystem::path(native("real")));
    EXPECT_TRUE(writer->write("new", 3));
    ASSERT_TRUE(writer->commit());
    EXPECT_TRUE(std::filesystem::is_symlink(native("far.zsf")));
    EXPECT_TRUE(std::filesystem::is_symlink(native("near.zsf")));
    EXPECT_EQ(contents(native("real/doc.zsf")), "new");
    EXPECT_EQ(modeOf(native("real/doc.zsf")), 0604u);
    EXPECT_EQ(namesIn(native("real")), (std::vector<std::string>{"doc.zsf"}));
}

TEST_F(AtomicFileWriterTest, ALinkToNothingYetMakesThatFile) {
    ASSERT_EQ(symlink("later.zsf", native("link.zsf").c_str()), 0);
    auto writer = AtomicFileWriter::create(path("link.zsf"));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("made", 4));
    ASSERT_TRUE(writer->commit());
    EXPECT_TRUE(std::filesystem::is_symlink(native("link.zsf")));
    EXPECT_EQ(contents(native("later.zsf")), "made");
}

TEST_F(AtomicFileWriterTest, ALinkToAReadOnlyFileOrInACircleIsRefused) {
    put(native("locked.zsf"), "old");
    ASSERT_EQ(chmod(native("locked.zsf").c_str(), 0444), 0);
    ASSERT_EQ(symlink("locked.zsf", native("to-locked.zsf").c_str()), 0);
    EXPECT_FALSE(AtomicFileWriter::create(path("to-locked.zsf")));
    EXPECT_EQ(contents(native("locked.zsf")), "old");
    ASSERT_EQ(symlink("b.zsf", native("a.zsf").c_str()), 0);
    ASSERT_EQ(symlink("a.zsf", native("b.zsf").c_str()), 0);
    EXPECT_FALSE(AtomicFileWriter::create(path("a.zsf")));
    EXPECT_TRUE(std::filesystem::is_symlink(native("a.zsf")));
}

TEST_F(AtomicFileWriterTest, ANameAsLongAsTheFolderAllowsCanBeWritten) {
    const long limit = pathconf(temp.path().c_str(), _PC_NAME_MAX);
    ASSERT_GE(limit, 255);
    // 255 bytes of ASCII, and 255 bytes that end in two-byte characters,
    // which the temporary name must not cut in half.
    const std::string ascii = std::string(251, 'a') + ".zsf";
    std::string accented = std::string(1, 'b');
    while (accented.size() + 2 <= 251)
        accented += "\xC3\xA9";
    accented += ".zsf";
    ASSERT_EQ(ascii.size(), 255u);
    ASSERT_EQ(accented.size(), 255u);
    for (const std::string& name : {ascii, accented}) {
        auto writer = AtomicFileWriter::create(path(name));
        ASSERT_TRUE(writer);
        const std::string temporaryName =
            std::filesystem::path(writer->temporaryPath()).filename().string();
        EXPECT_LE(temporaryName.size(), 255u);
        EXPECT_EQ(toUtf8(toUtf16(temporaryName)), temporaryName);  // still whole characters
        EXPECT_TRUE(writer->write("long", 4));
        ASSERT_TRUE(writer->commit());
        EXPECT_EQ(contents(native(name)), "long");
    }
    EXPECT_EQ(namesIn(temp.path()).size(), 2u);
}

TEST_F(AtomicFileWriterTest, ANameThatIsNotUtf8IsWrittenUnderItsOwnBytes) {
    const std::string name = "caf\xE9 \xFF.zsf";
    auto writer = AtomicFileWriter::create(fromNativePath(native(name)));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->write("bytes", 5));
    ASSERT_TRUE(writer->commit());
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{name}));
    EXPECT_EQ(contents(native(name)), "bytes");
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
