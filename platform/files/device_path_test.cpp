#include "platform/files/device_path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "platform/files/testing/temp_folder.h"
#include "platform/text/utf.h"

namespace platform {
namespace {

using testing::ScopedEnvironment;
using testing::TempFolder;

bool isFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Each test states the whole environment the root is chosen from.
struct Environment {
    ScopedEnvironment device;
    ScopedEnvironment state;
    ScopedEnvironment home;
    Environment(const char* deviceRootValue, const char* stateHome, const char* homeValue)
        : device("MIRABO_DEVICE_ROOT", deviceRootValue),
          state("XDG_STATE_HOME", stateHome),
          home("HOME", homeValue) {}
};

TEST(DeviceRootTest, TheProgramsOwnVariableComesFirst) {
    Environment env("/srv/device", "/state", "/home/u");
    EXPECT_EQ(deviceRoot(), "/srv/device");
}

TEST(DeviceRootTest, TrailingSlashesAreDropped) {
    Environment env("/srv/device//", nullptr, "/home/u");
    EXPECT_EQ(deviceRoot(), "/srv/device");
    EXPECT_EQ(toNativePath(u"\\Temp\\a"), "/srv/device/Temp/a");
}

TEST(DeviceRootTest, ThenTheStateFolder) {
    Environment env(nullptr, "/var/state", "/home/u");
    EXPECT_EQ(deviceRoot(), "/var/state/mirabo");
}

TEST(DeviceRootTest, ThenTheHomeFolder) {
    Environment env(nullptr, nullptr, "/home/u");
    EXPECT_EQ(deviceRoot(), "/home/u/.local/state/mirabo");
}

TEST(DeviceRootTest, EmptyAndRelativeSettingsCountAsUnset) {
    {
        Environment env("", "", "/home/u");
        EXPECT_EQ(deviceRoot(), "/home/u/.local/state/mirabo");
    }
    {
        Environment env(nullptr, "relative/state", "/home/u");
        EXPECT_EQ(deviceRoot(), "/home/u/.local/state/mirabo");
    }
}

TEST(DeviceRootTest, WithoutHomeTheUsersFolderStillGivesARoot) {
    Environment env(nullptr, nullptr, nullptr);
    const std::string root = deviceRoot();
    EXPECT_FALSE(root.empty());
    EXPECT_EQ(root.find("//"), std::string::npos);
}

TEST(DevicePathTest, ASingleBackslashStartsADevicePath) {
    EXPECT_TRUE(isDevicePath(u"\\Temp\\hibernate_sketch.zsf"));
    EXPECT_TRUE(isDevicePath(u"\\"));
    EXPECT_FALSE(isDevicePath(u"\\\\server\\share"));
    EXPECT_FALSE(isDevicePath(u"/tmp/x"));
    EXPECT_FALSE(isDevicePath(u"Temp\\x"));
    EXPECT_FALSE(isDevicePath(u""));
}

TEST(DevicePathTest, DevicePathsLiveUnderTheRootWithSlashes) {
    Environment env("/dev-root", nullptr, "/home/u");
    EXPECT_EQ(toNativePath(u"\\Temp\\hibernate_sketch.zsf"), "/dev-root/Temp/hibernate_sketch.zsf");
    EXPECT_EQ(toNativePath(u"\\Temp\\hibernate_sketch.jpg"), "/dev-root/Temp/hibernate_sketch.jpg");
    EXPECT_EQ(toNativePath(u"\\My Documents\\a b.zsf"), "/dev-root/My Documents/a b.zsf");
    EXPECT_EQ(toNativePath(u"\\"), "/dev-root");
}

TEST(DevicePathTest, EmptyAndDotComponentsAreDropped) {
    Environment env("/dev-root", nullptr, "/home/u");
    EXPECT_EQ(toNativePath(u"\\Temp\\\\.\\x/y"), "/dev-root/Temp/x/y");
    EXPECT_EQ(toNativePath(u"\\Temp\\"), "/dev-root/Temp");
}

TEST(DevicePathTest, ComponentsThatClimbOutAreRefused) {
    Environment env("/dev-root", nullptr, "/home/u");
    EXPECT_EQ(toNativePath(u"\\.."), "");
    EXPECT_EQ(toNativePath(u"\\..\\etc\\passwd"), "");
    EXPECT_EQ(toNativePath(u"\\Temp\\..\\..\\x"), "");
    EXPECT_EQ(toNativePath(u"\\Temp/../x"), "");  // a slash separates too
    EXPECT_EQ(toNativePath(u"\\Temp\\.."), "");
    // Dots inside a name are only a name.
    EXPECT_EQ(toNativePath(u"\\Temp\\...\\a..b"), "/dev-root/Temp/.../a..b");
}

TEST(DevicePathTest, OrdinaryPathsOnlyChangeTheirEncoding) {
    Environment env("/dev-root", nullptr, "/home/u");
    EXPECT_EQ(toNativePath(u"/tmp/a b/c.zsf"), "/tmp/a b/c.zsf");
    EXPECT_EQ(toNativePath(u"relative/../x.bmp"), "relative/../x.bmp");
    EXPECT_EQ(toNativePath(u"\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(toNativePath(u"/tmp/Bild \u00E4\u65E5.jpg"), "/tmp/Bild \xC3\xA4\xE6\x97\xA5.jpg");
}

TEST(DevicePathTest, NonAsciiDeviceNamesBecomeUtf8) {
    Environment env("/dev-root", nullptr, "/home/u");
    EXPECT_EQ(toNativePath(u"\\Temp\\\u00C9t\u00E9 \U0001F600.zsf"),
              "/dev-root/Temp/\xC3\x89t\xC3\xA9 \xF0\x9F\x98\x80.zsf");
}

TEST(DevicePathTest, NamesThatAreNotUtf8KeepTheirBytes) {
    Environment env("/dev-root", nullptr, "/home/u");
    const std::string latin1 = "/tmp/caf\xE9/\xFF\xFE.zsf";
    const std::u16string held = fromNativePath(latin1);
    EXPECT_EQ(held.size(), latin1.size());
    EXPECT_EQ(toNativePath(held), latin1);
    EXPECT_EQ(toNativePath(u"\\Temp\\" + fromNativePath("\xE9t\xE9.zsf")),
              "/dev-root/Temp/\xE9t\xE9.zsf");
    // A surrogate that stands for no byte would only name some other file.
    EXPECT_EQ(toNativePath(u"/tmp/a\xD800.zsf"), "");
    EXPECT_EQ(toNativePath(u"\\Temp\\a\xD800.zsf"), "");
}

TEST(DevicePathTest, EmptyPathsAndEmbeddedNulsNameNothing) {
    Environment env("/dev-root", nullptr, "/home/u");
    EXPECT_EQ(toNativePath(u""), "");
    EXPECT_EQ(toNativePath(std::u16string(u"/tmp/a\0b", 8)), "");
    EXPECT_EQ(toNativePath(std::u16string(u"\\Temp\\a\0b", 9)), "");
}

TEST(DeviceFoldersTest, TheFoldersOfADeviceFileAreMadeOnDemand) {
    TempFolder temp;
    ASSERT_TRUE(temp.ok());
    const std::string root = temp / "not/yet/there";
    Environment env(root.c_str(), nullptr, "/home/u");
    ASSERT_TRUE(createDeviceFolders(u"\\Temp\\deeper\\hibernate_sketch.zsf"));
    EXPECT_TRUE(isFolder(root + "/Temp/deeper"));
    // The file itself is not made, not even as a folder.
    EXPECT_FALSE(isFolder(root + "/Temp/deeper/hibernate_sketch.zsf"));
    // Again is fine.
    EXPECT_TRUE(createDeviceFolders(u"\\Temp\\deeper\\other.zsf"));
}

TEST(DeviceFoldersTest, RefusedPathsAndOrdinaryPathsMakeNoFolders) {
    TempFolder temp;
    ASSERT_TRUE(temp.ok());
    Environment env(temp.path().c_str(), nullptr, "/home/u");
    EXPECT_FALSE(createDeviceFolders(u"\\Temp\\..\\..\\escape\\x"));
    EXPECT_FALSE(isFolder(temp.path() + "/Temp"));
    const std::string ordinary = temp / "ordinary";
    EXPECT_TRUE(createDeviceFolders(toUtf16(ordinary + "/x.zsf")));
    EXPECT_FALSE(isFolder(ordinary));
}

TEST(DeviceFoldersTest, AFileInTheWayFailsTheFolders) {
    TempFolder temp;
    ASSERT_TRUE(temp.ok());
    Environment env(temp.path().c_str(), nullptr, "/home/u");
    FILE* blocker = fopen((temp / "Temp").c_str(), "w");
    ASSERT_NE(blocker, nullptr);
    fclose(blocker);
    EXPECT_FALSE(createDeviceFolders(u"\\Temp\\x.zsf"));
}

}  // namespace
}  // namespace platform
