#include "platform/files/file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"

namespace platform {
namespace {

using testing::ScopedEnvironment;
using testing::contents;
using testing::put;
using testing::TempFolder;

class FileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(temp.ok()); }
    std::string native(const std::string& name) const { return temp / name; }
    std::u16string path(const std::string& name) const { return toUtf16(temp / name); }

    TempFolder temp;
};

// --- Opening ---------------------------------------------------------------

TEST_F(FileTest, CreateAlwaysMakesANewFile) {
    auto file = File::open(path("new.zsf"), FileAccess::Write, FileDisposition::CreateAlways);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->write("abc", 3));
    EXPECT_EQ(file->size(), 3);
    file.reset();
    EXPECT_EQ(contents(native("new.zsf")), "abc");
}

TEST_F(FileTest, CreateAlwaysEmptiesAnExistingFile) {
    put(native("old.zsf"), "a much longer old content");
    auto file = File::open(path("old.zsf"), FileAccess::Write, FileDisposition::CreateAlways);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->size(), 0);
    EXPECT_TRUE(file->write("new", 3));
    file.reset();
    EXPECT_EQ(contents(native("old.zsf")), "new");
}

TEST_F(FileTest, OpenExistingFailsForMissingFilesAndFolders) {
    EXPECT_FALSE(File::open(path("missing.zsf"), FileAccess::Read, FileDisposition::OpenExisting));
    EXPECT_FALSE(fileExists(path("missing.zsf")));  // and nothing was made
    EXPECT_FALSE(File::open(toUtf16(temp.path()), FileAccess::Read, FileDisposition::OpenExisting));
    EXPECT_FALSE(
        File::open(toUtf16(temp.path()), FileAccess::Write, FileDisposition::CreateAlways));
    EXPECT_FALSE(
        File::open(path("no-folder/x.zsf"), FileAccess::Write, FileDisposition::CreateAlways));
}

TEST_F(FileTest, APipeIsRefusedWithoutWaitingForAWriter) {
    ASSERT_EQ(mkfifo(native("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(File::open(path("pipe"), FileAccess::Read, FileDisposition::OpenExisting));
}

TEST_F(FileTest, CreatingNeedsWriteAccess) {
    put(native("keep.zsf"), "keep");
    EXPECT_FALSE(File::open(path("keep.zsf"), FileAccess::Read, FileDisposition::CreateAlways));
    EXPECT_EQ(contents(native("keep.zsf")), "keep");
}

TEST_F(FileTest, PathsThatMapToNothingOpenNothing) {
    EXPECT_FALSE(File::open(u"", FileAccess::Write, FileDisposition::CreateAlways));
    EXPECT_FALSE(File::open(u"\\..\\x", FileAccess::Write, FileDisposition::CreateAlways));
}

TEST_F(FileTest, ANonAsciiNameIsTheUtf8NameOnDisk) {
    const std::u16string name = path("") + u"Bild \u00E4\u65E5.zsf";
    auto file = File::open(name, FileAccess::Write, FileDisposition::CreateAlways);
    ASSERT_TRUE(file);
    file.reset();
    EXPECT_TRUE(fileExists(name));
    struct stat info {};
    EXPECT_EQ(stat(native("Bild \xC3\xA4\xE6\x97\xA5.zsf").c_str(), &info), 0);
}

TEST_F(FileTest, ANewDeviceFileGetsItsTempFolder) {
    TempFolder root;
    ASSERT_TRUE(root.ok());
    ScopedEnvironment device("MIRABO_DEVICE_ROOT", root.path().c_str());
    auto file = File::open(u"\\Temp\\hibernate_sketch.zsf", FileAccess::Write,
                           FileDisposition::CreateAlways);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->write("z", 1));
    file.reset();
    EXPECT_EQ(contents(root / "Temp/hibernate_sketch.zsf"), "z");
    EXPECT_TRUE(fileExists(u"\\Temp\\hibernate_sketch.zsf"));
    // Reading a device file makes no folders.
    EXPECT_FALSE(File::open(u"\\Other\\x.zsf", FileAccess::Read, FileDisposition::OpenExisting));
    struct stat info {};
    EXPECT_NE(stat((root / "Other").c_str(), &info), 0);
}

// --- Sharing ---------------------------------------------------------------

TEST_F(FileTest, AnExclusiveOpenKeepsEveryoneElseOutUntilClosed) {
    put(native("held.zsf"), "held");
    auto first = File::open(path("held.zsf"), FileAccess::Read, FileDisposition::OpenExisting);
    ASSERT_TRUE(first);
    EXPECT_FALSE(File::open(path("held.zsf"), FileAccess::Read, FileDisposition::OpenExisting));
    EXPECT_FALSE(File::open(path("held.zsf"), FileAccess::Read, FileDisposition::OpenExisting,
                            FileSharing::Read));
    first.reset();
    EXPECT_TRUE(File::open(path("held.zsf"), FileAccess::Read, FileDisposition::OpenExisting));
}

TEST_F(FileTest, ACreateThatIsKeptOutDoesNotEmptyTheHeldFile) {
    put(native("held.zsf"), "precious");
    auto holder = File::open(path("held.zsf"), FileAccess::Read, FileDisposition::OpenExisting);
    ASSERT_TRUE(holder);
    EXPECT_FALSE(File::open(path("held.zsf"), FileAccess::Write, FileDisposition::CreateAlways));
    EXPECT_EQ(contents(native("held.zsf")), "precious");
}

TEST_F(FileTest, SharedReadersMayMeetButKeepAnExclusiveOpenOut) {
    put(native("shared.zsf"), "s");
    auto a = File::open(path("shared.zsf"), FileAccess::Read, FileDisposition::OpenExisting,
                        FileSharing::Read);
    auto b = File::open(path("shared.zsf"), FileAccess::Read, FileDisposition::OpenExisting,
                        FileSharing::Read);
    EXPECT_TRUE(a);
    EXPECT_TRUE(b);
    EXPECT_FALSE(File::open(path("shared.zsf"), FileAccess::Write, FileDisposition::CreateAlways));
}

// --- Reading, writing, seeking ---------------------------------------------

TEST_F(FileTest, AReadPastTheEndIsShortNotAnError) {
    put(native("five"), "12345");
    auto file = File::open(path("five"), FileAccess::Read, FileDisposition::OpenExisting);
    ASSERT_TRUE(file);
    char buffer[10] = {};
    std::size_t got = 99;
    EXPECT_TRUE(file->read(buffer, 3, got));
    EXPECT_EQ(got, 3u);
    EXPECT_TRUE(file->read(buffer, sizeof buffer, got));
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(std::string(buffer, 2), "45");
    EXPECT_TRUE(file->read(buffer, sizeof buffer, got));
    EXPECT_EQ(got, 0u);
}

TEST_F(FileTest, TheAccessAskedForIsTheAccessGiven) {
    put(native("f"), "data");
    auto reader = File::open(path("f"), FileAccess::Read, FileDisposition::OpenExisting);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(reader->write("x", 1));
    reader.reset();
    EXPECT_EQ(contents(native("f")), "data");

    auto writer = File::open(path("f"), FileAccess::Write, FileDisposition::OpenExisting);
    ASSERT_TRUE(writer);
    char c;
    std::size_t got = 7;
    EXPECT_FALSE(writer->read(&c, 1, got));
    EXPECT_EQ(got, 0u);
}

TEST_F(FileTest, OpenExistingKeepsTheContentAndReadWriteSeesItsOwnWrites) {
    put(native("rw"), "abcdef");
    auto file = File::open(path("rw"), FileAccess::ReadWrite, FileDisposition::OpenExisting);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->size(), 6);
    ASSERT_TRUE(file->seek(2, SeekOrigin::Begin));
    EXPECT_TRUE(file->write("XY", 2));
    EXPECT_EQ(file->position(), 4);
    ASSERT_TRUE(file->seek(-1, SeekOrigin::Current));
    char buffer[8] = {};
    std::size_t got = 0;
    EXPECT_TRUE(file->read(buffer, 8, got));
    EXPECT_EQ(std::string(buffer, got), "Yef");
    ASSERT_TRUE(file->seek(-2, SeekOrigin::End));
    EXPECT_EQ(file->position(), 4);
    EXPECT_FALSE(file->seek(-1, SeekOrigin::Begin));
    EXPECT_TRUE(file->flush());
    file.reset();
    EXPECT_EQ(contents(native("rw")), "abXYef");
}

TEST_F(FileTest, AnEmptyWriteSucceedsAndAClosedFileRefusesEverything) {
    auto file = File::open(path("c"), FileAccess::ReadWrite, FileDisposition::CreateAlways);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->write("", 0));
    EXPECT_TRUE(file->close());
    EXPECT_FALSE(file->close());
    std::size_t got = 0;
    char c;
    EXPECT_FALSE(file->write("x", 1));
    EXPECT_FALSE(file->read(&c, 1, got));
    EXPECT_FALSE(file->seek(0, SeekOrigin::Begin));
    EXPECT_FALSE(file->flush());
    EXPECT_EQ(file->size(), -1);
    EXPECT_EQ(file->position(), -1);
}

TEST_F(FileTest, AWriteTheStorageCannotTakeCompletelyFails) {
    // A file size limit stands in for full storage: past it the system
    // takes part of the data or nothing.
    auto file = File::open(path("full"), FileAccess::Write, FileDisposition::CreateAlways);
    ASSERT_TRUE(file);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool wrote = file->write("0123456789abcdefghij", 20);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(file->size(), 10);
}

// --- Deleting, renaming, looking ---------------------------------------------

TEST_F(FileTest, DeleteRemovesFilesOnly) {
    put(native("gone"), "x");
    EXPECT_TRUE(deleteFile(path("gone")));
    EXPECT_FALSE(fileExists(path("gone")));
    EXPECT_FALSE(deleteFile(path("gone")));
    ASSERT_EQ(mkdir(native("folder").c_str(), 0700), 0);
    EXPECT_FALSE(deleteFile(path("folder")));
    struct stat info {};
    EXPECT_EQ(stat(native("folder").c_str(), &info), 0);
}

TEST_F(FileTest, RenameReplacesTheTargetInOneStep) {
    put(native("from"), "new");
    put(native("to"), "old");
    EXPECT_TRUE(renameFile(path("from"), path("to")));
    EXPECT_FALSE(fileExists(path("from")));
    EXPECT_EQ(contents(native("to")), "new");
    EXPECT_FALSE(renameFile(path("from"), path("to")));
    EXPECT_EQ(contents(native("to")), "new");
}

TEST_F(FileTest, RenameDoesNotMoveFoldersOrReplaceThem) {
    ASSERT_EQ(mkdir(native("folder").c_str(), 0700), 0);
    put(native("file"), "f");
    EXPECT_FALSE(renameFile(path("folder"), path("moved")));
    EXPECT_FALSE(renameFile(path("file"), path("folder")));
    EXPECT_EQ(contents(native("file")), "f");
}

TEST_F(FileTest, OnlyRegularFilesExist) {
    put(native("here"), "");
    EXPECT_TRUE(fileExists(path("here")));
    EXPECT_FALSE(fileExists(toUtf16(temp.path())));
    EXPECT_FALSE(fileExists(path("nowhere")));
    EXPECT_FALSE(fileExists(u""));
}

}  // namespace
}  // namespace platform
