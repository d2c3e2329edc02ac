#include "platform/desktop_integration/icon_stamp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/files/testing/temp_folder.h"

namespace platform {
namespace {

using testing::put;
using testing::TempFolder;

class IconStampTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.ok());
        put(first, "one");
        put(second, "two");
    }
    TempFolder temp;
    std::string first = temp / "16x16 icon.png";  // a space in the name
    std::string second = temp / "32.png";
};

TEST_F(IconStampTest, VouchesForFilesLeftAsTheyWere) {
    const std::string stamp = iconStampText("key /data", {first, second});
    ASSERT_FALSE(stamp.empty());
    EXPECT_EQ(filesStillAsStamped(stamp, "key /data"), 2);
    EXPECT_EQ(filesStillAsStamped(stamp, "key /other"), -1);
    EXPECT_EQ(filesStillAsStamped(stamp, "key"), -1);
    EXPECT_EQ(filesStillAsStamped(iconStampText("key", {}), "key"), 0);
}

TEST_F(IconStampTest, AnyChangeToAFileOrToTheNoteEndsIt) {
    const std::string stamp = iconStampText("key", {first, second});
    put(second, "2");  // rewritten in place, another size
    EXPECT_EQ(filesStillAsStamped(stamp, "key"), -1);

    const std::string fresh = iconStampText("key", {first, second});
    ASSERT_EQ(unlink(first.c_str()), 0);
    EXPECT_EQ(filesStillAsStamped(fresh, "key"), -1);
    put(first, "one");  // the same content again, but another file
    EXPECT_EQ(filesStillAsStamped(fresh, "key"), -1);

    const std::string last = iconStampText("key", {first, second});
    EXPECT_EQ(filesStillAsStamped(last.substr(0, last.size() - 1), "key"), -1);  // cut short
    EXPECT_EQ(filesStillAsStamped("", "key"), -1);
    EXPECT_EQ(filesStillAsStamped("mirabo icon files 1\nkey\ngarbage\n", "key"), -1);
}

TEST_F(IconStampTest, NamesThatCannotBeReadBackGetNoNote) {
    EXPECT_EQ(iconStampText("key", {temp / "missing.png"}), "");
    EXPECT_EQ(iconStampText("two\nlines", {first}), "");
    const std::string broken = temp / "line\nbreak.png";
    put(broken, "x");
    EXPECT_EQ(iconStampText("key", {broken}), "");
    EXPECT_EQ(iconStampText("key", {temp.path()}), "");  // a folder is no icon
}

}  // namespace
}  // namespace platform
