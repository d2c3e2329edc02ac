#include "platform/desktop_integration/file_association.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/desktop_integration/desktop_files.h"
#include "platform/desktop_integration/testing/run_command.h"
#include "platform/desktop_integration/xdg_folders.h"
#include "platform/files/testing/temp_folder.h"

namespace platform {
namespace {

using testing::contents;
using testing::put;
using testing::runCommand;
using testing::ScopedEnvironment;
using testing::TempFolder;

IconImage plainIcon(std::int32_t size, std::uint8_t shade) {
    IconImage icon;
    icon.size = size;
    icon.rgba.assign(std::size_t(size) * std::size_t(size) * 4, shade);
    return icon;
}

struct FileStamp {
    ino_t inode = 0;
    std::int64_t seconds = 0, nanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {};
    return {info.st_ino, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

class FileAssociationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.ok());
        icons.program = {plainIcon(16, 1), plainIcon(48, 2), plainIcon(20, 3)};  // 20: no folder
        icons.document = {plainIcon(32, 4)};
    }
    void TearDown() override {
        // An update still running in the background would write into the
        // folder while it is being removed.
        if (access(data("mime/packages/mirabo.xml").c_str(), F_OK) == 0 &&
            testing::haveProgram("update-mime-database"))
            waitForMimeDatabase();
    }
    std::string data(const std::string& name) const { return temp / ("data/" + name); }
    std::string config(const std::string& name) const { return temp / ("config/" + name); }
    std::string environment() const {
        return "XDG_DATA_HOME=" + temp / "data" + " XDG_CONFIG_HOME=" + temp / "config" +
               " XDG_DATA_DIRS=" + temp / "none" + " XDG_CONFIG_DIRS=" + temp / "none";
    }
    // The icons as the program hands them over, counting the drawings.
    DesktopIconSource source() {
        return {iconsKey, [this] {
                    ++draws;
                    return icons;
                }};
    }
    AssociationReport registerNow() {
        return registerFileAssociation("/opt/mirabo/bin/mirabo", source(), folders);
    }
    // The database is built in the background; give it time.
    bool waitForMimeDatabase() const {
        for (int i = 0; i < 200; ++i) {
            // The cache is the last file the update writes.
            if (contents(data("mime/globs2")).find("*.zsf") != std::string::npos &&
                access(data("mime/mime.cache").c_str(), F_OK) == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    TempFolder temp;
    DesktopIcons icons;
    std::string iconsKey = "pictures-1";
    int draws = 0;
    AssociationFolders folders{temp / "data", temp / "config", temp / "cache"};
};

TEST_F(FileAssociationTest, WritesEveryFileOnceAndLeavesThemAloneWhenUnchanged) {
    const AssociationReport first = registerNow();
    EXPECT_EQ(first.failed, 0);
    EXPECT_EQ(first.written, 6);  // package, entry, three icons, mimeapps.list
    EXPECT_EQ(contents(data("mime/packages/mirabo.xml")), mimePackageText());
    EXPECT_EQ(contents(data("applications/mirabo.desktop")),
              desktopEntryText("/opt/mirabo/bin/mirabo"));
    EXPECT_EQ(contents(config("mimeapps.list")),
              "[Default Applications]\napplication/x-mirabo-sketch=mirabo.desktop;\n");
    EXPECT_EQ(access(data("icons/hicolor/16x16/apps/mirabo.png").c_str(), F_OK), 0);
    EXPECT_EQ(access(data("icons/hicolor/48x48/apps/mirabo.png").c_str(), F_OK), 0);
    EXPECT_NE(access(data("icons/hicolor/20x20/apps/mirabo.png").c_str(), F_OK), 0);
    EXPECT_EQ(
        access(data("icons/hicolor/32x32/mimetypes/application-x-mirabo-sketch.png").c_str(), F_OK),
        0);
    // The user's new folders are the user's alone.
    struct stat info {};
    ASSERT_EQ(stat(data("applications").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(data("applications/mirabo.desktop").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    if (first.mimeDatabaseUpdateStarted) {
        EXPECT_TRUE(waitForMimeDatabase());
    }
    const char* files[] = {"mime/packages/mirabo.xml", "applications/mirabo.desktop",
                           "icons/hicolor/48x48/apps/mirabo.png"};
    FileStamp before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = stampOf(data(files[i]));
    const FileStamp listBefore = stampOf(config("mimeapps.list"));

    const AssociationReport second = registerNow();
    EXPECT_EQ(second.written, 0);
    EXPECT_EQ(second.unchanged, 6);
    EXPECT_EQ(second.failed, 0);
    EXPECT_FALSE(second.mimeDatabaseUpdateStarted && first.mimeDatabaseUpdateStarted);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(stampOf(data(files[i])) == before[i]) << files[i];
    EXPECT_TRUE(stampOf(config("mimeapps.list")) == listBefore);

    // A moved program is a changed entry, and only the entry is rewritten.
    const AssociationReport moved = registerFileAssociation("/usr/bin/mirabo", source(), folders);
    EXPECT_EQ(moved.written, 1);
    EXPECT_NE(contents(data("applications/mirabo.desktop")).find("Exec=/usr/bin/mirabo file:%f"),
              std::string::npos);
}

TEST_F(FileAssociationTest, IconsAreDrawnOnlyWhenTheirFilesMayDiffer) {
    const std::string program = data("icons/hicolor/48x48/apps/mirabo.png");
    const std::string document =
        data("icons/hicolor/32x32/mimetypes/application-x-mirabo-sketch.png");
    EXPECT_TRUE(registerNow().iconsDrawn);
    const std::string drawn = contents(program);
    ASSERT_FALSE(drawn.empty());

    // In place as written: nothing drawn, every file counted as unchanged.
    const AssociationReport again = registerNow();
    EXPECT_FALSE(again.iconsDrawn);
    EXPECT_EQ(again.unchanged, 6);
    EXPECT_EQ(draws, 1);

    // A removed file, a file changed in place and a file replaced by another
    // are each put back.
    ASSERT_EQ(unlink(document.c_str()), 0);
    EXPECT_TRUE(registerNow().iconsDrawn);
    EXPECT_EQ(access(document.c_str(), F_OK), 0);
    put(program, "damaged");
    EXPECT_TRUE(registerNow().iconsDrawn);
    EXPECT_EQ(contents(program), drawn);
    put(temp / "other.png", drawn);
    ASSERT_EQ(rename((temp / "other.png").c_str(), program.c_str()), 0);
    EXPECT_TRUE(registerNow().iconsDrawn);
    EXPECT_FALSE(registerNow().iconsDrawn);
    EXPECT_EQ(draws, 4);

    // New pictures are drawn and written.
    iconsKey = "pictures-2";
    icons.program[1] = plainIcon(48, 9);
    const AssociationReport changed = registerNow();
    EXPECT_TRUE(changed.iconsDrawn);
    EXPECT_EQ(changed.written, 1);
    EXPECT_NE(contents(program), drawn);

    // Another data folder has none of the files yet.
    folders.data = temp / "data2";
    EXPECT_TRUE(registerNow().iconsDrawn);
    EXPECT_EQ(access((temp / "data2/icons/hicolor/48x48/apps/mirabo.png").c_str(), F_OK), 0);
}

TEST_F(FileAssociationTest, WithoutACacheTheIconsAreDrawnAtEveryStart) {
    put(temp / "cache", "not a folder");
    EXPECT_TRUE(registerNow().iconsDrawn);
    const AssociationReport again = registerNow();
    EXPECT_TRUE(again.iconsDrawn);
    EXPECT_EQ(again.written, 0);
    EXPECT_EQ(again.failed, 0);

    // A caller that cannot name its pictures gets them drawn every time too.
    folders.cache = temp / "cache2";
    iconsKey.clear();
    registerNow();
    EXPECT_TRUE(registerNow().iconsDrawn);
    EXPECT_EQ(draws, 4);
}

TEST_F(FileAssociationTest, TheUsersOtherAssociationsAreKeptByteForByte) {
    ASSERT_EQ(mkdir((temp / "config").c_str(), 0700), 0);
    const std::string mine =
        "[Added Associations]\n"
        "image/png=gimp.desktop;\n"
        "\n"
        "[Default Applications]\n"
        "image/png=org.gnome.eog.desktop;\n"
        "application/x-mirabo-sketch=somebody-else.desktop;\n"
        "text/plain=vim.desktop;\n";
    put(config("mimeapps.list"), mine);
    registerNow();
    std::string expected = mine;
    expected.replace(expected.find("somebody-else"), 13, "mirabo");
    EXPECT_EQ(contents(config("mimeapps.list")), expected);
}

TEST_F(FileAssociationTest, TheDesktopToolsFindTheAssociation) {
    registerNow();
    std::string output;
    if (testing::haveProgram("xdg-mime")) {
        EXPECT_EQ(
            runCommand("xdg-mime query default application/x-mirabo-sketch", output, environment()),
            0);
        EXPECT_EQ(output, "mirabo.desktop\n");
    }
    if (testing::haveProgram("desktop-file-validate")) {
        EXPECT_EQ(
            runCommand("desktop-file-validate " + data("applications/mirabo.desktop"), output), 0);
        EXPECT_EQ(output, "");
    }
    if (testing::haveProgram("update-mime-database")) {
        ASSERT_TRUE(waitForMimeDatabase()) << "update-mime-database did not run";
        EXPECT_NE(contents(data("mime/globs2")).find("application/x-mirabo-sketch:*.zsf"),
                  std::string::npos);
    }
}

TEST_F(FileAssociationTest, AnInterruptedDatabaseUpdateIsStartedAgain) {
    if (!testing::haveProgram("update-mime-database")) GTEST_SKIP() << "no update-mime-database";
    EXPECT_TRUE(registerNow().mimeDatabaseUpdateStarted);
    ASSERT_TRUE(waitForMimeDatabase());
    EXPECT_FALSE(registerNow().mimeDatabaseUpdateStarted);
    ASSERT_EQ(unlink(data("mime/mime.cache").c_str()), 0);
    EXPECT_TRUE(registerNow().mimeDatabaseUpdateStarted);
    EXPECT_TRUE(waitForMimeDatabase());
}

TEST_F(FileAssociationTest, ALinkedMimeAppsListStaysALink) {
    ASSERT_EQ(mkdir((temp / "config").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((temp / "dotfiles").c_str(), 0700), 0);
    put(temp / "dotfiles/mimeapps.list", "[Default Applications]\nimage/png=eog.desktop;\n");
    ASSERT_EQ(symlink((temp / "dotfiles/mimeapps.list").c_str(), config("mimeapps.list").c_str()),
              0);
    registerNow();
    struct stat info {};
    ASSERT_EQ(lstat(config("mimeapps.list").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(contents(temp / "dotfiles/mimeapps.list"),
              "[Default Applications]\nimage/png=eog.desktop;\n"
              "application/x-mirabo-sketch=mirabo.desktop;\n");
}

TEST_F(FileAssociationTest, FailuresAreCountedAndHurtNothing) {
    // A file where the data folder should be, and a mimeapps.list that is a folder.
    put(temp / "data", "not a folder");
    ASSERT_EQ(mkdir((temp / "config").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(config("mimeapps.list").c_str(), 0700), 0);
    const AssociationReport report = registerNow();
    EXPECT_EQ(report.written, 0);
    EXPECT_EQ(report.failed, 6);
    EXPECT_FALSE(report.mimeDatabaseUpdateStarted);
    EXPECT_EQ(contents(temp / "data"), "not a folder");

    // A relative program path cannot stand in a desktop entry.
    folders = {temp / "data2", temp / "config2", temp / "cache2"};
    const AssociationReport relative = registerFileAssociation("bin/mirabo", source(), folders);
    EXPECT_EQ(relative.written, 0);
    EXPECT_NE(access((temp / "data2").c_str(), F_OK), 0);
}

TEST_F(FileAssociationTest, InstalledFilesNameTheProgramWithoutItsFolder) {
    const AssociationReport report = writeDesktopFiles(temp / "share", "mirabo", icons);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(report.written, 5);
    EXPECT_NE(contents(temp / "share/applications/mirabo.desktop").find("\nExec=mirabo file:%f\n"),
              std::string::npos);
    EXPECT_NE(access((temp / "config").c_str(), F_OK), 0);
}

TEST_F(FileAssociationTest, FoldersFollowTheXdgVariables) {
    {
        ScopedEnvironment dataHome("XDG_DATA_HOME", "/x/data/");
        ScopedEnvironment configHome("XDG_CONFIG_HOME", "/x/config");
        ScopedEnvironment cacheHome("XDG_CACHE_HOME", "/x/cache");
        EXPECT_EQ(xdgDataHome(), "/x/data");
        EXPECT_EQ(xdgConfigHome(), "/x/config");
        EXPECT_EQ(xdgCacheHome(), "/x/cache");
    }
    ScopedEnvironment home("HOME", "/home/anna");
    ScopedEnvironment dataHome("XDG_DATA_HOME", "relative/data");  // invalid: ignored
    ScopedEnvironment configHome("XDG_CONFIG_HOME", nullptr);
    ScopedEnvironment cacheHome("XDG_CACHE_HOME", "");
    EXPECT_EQ(xdgDataHome(), "/home/anna/.local/share");
    EXPECT_EQ(xdgConfigHome(), "/home/anna/.config");
    EXPECT_EQ(xdgCacheHome(), "/home/anna/.cache");
}

TEST(ProgramPathTest, TheRunningProgramIsFound) {
    const std::string path = currentProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(access(path.c_str(), X_OK), 0);
}

}  // namespace
}  // namespace platform
