#include "platform/desktop_integration/mime_apps_list.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

const char* const type = "application/x-mirabo-sketch";
const char* const ours = "mirabo.desktop";

std::string merged(const std::string& list) {
    return withDefaultApplication(list, type, ours);
}

TEST(MimeAppsListTest, AnEmptyOrMissingFileGetsTheGroup) {
    EXPECT_EQ(merged(""), "[Default Applications]\napplication/x-mirabo-sketch=mirabo.desktop;\n");
}

TEST(MimeAppsListTest, TheLineJoinsTheExistingGroupAndNothingElseChanges) {
    const std::string list =
        "# my associations\n"
        "[Added Associations]\n"
        "image/png=gimp.desktop;\n"
        "\n"
        "[Default Applications]\n"
        "text/plain = vim.desktop;\n"
        "image/png=eog.desktop;\n"
        "\n"
        "[Removed Associations]\n"
        "image/jpeg=foo.desktop;\n";
    const std::string expected =
        "# my associations\n"
        "[Added Associations]\n"
        "image/png=gimp.desktop;\n"
        "\n"
        "[Default Applications]\n"
        "text/plain = vim.desktop;\n"
        "image/png=eog.desktop;\n"
        "application/x-mirabo-sketch=mirabo.desktop;\n"
        "\n"
        "[Removed Associations]\n"
        "image/jpeg=foo.desktop;\n";
    EXPECT_EQ(merged(list), expected);
    // Once there, nothing more changes.
    EXPECT_EQ(merged(expected), expected);
}

TEST(MimeAppsListTest, AnotherDefaultForOurTypeIsReplacedInPlace) {
    const std::string list =
        "[Default Applications]\r\n"
        " application/x-mirabo-sketch = other.desktop;\r\n"
        "image/png=eog.desktop;\r\n";
    EXPECT_EQ(merged(list),
              "[Default Applications]\r\n"
              "application/x-mirabo-sketch=mirabo.desktop;\r\n"
              "image/png=eog.desktop;\r\n");
    // A list that names us first is left as the user wrote it.
    const std::string first =
        "[Default Applications]\napplication/x-mirabo-sketch = mirabo.desktop;b.desktop;\n";
    EXPECT_EQ(merged(first), first);
    // Not fooled by a longer name that begins with ours.
    EXPECT_EQ(merged("[Default Applications]\napplication/x-mirabo-sketch=mirabo.desktopx;\n"),
              "[Default Applications]\napplication/x-mirabo-sketch=mirabo.desktop;\n");
}

TEST(MimeAppsListTest, EveryCopyOfTheGroupAgrees) {
    const std::string list =
        "[Default Applications]\n"
        "application/x-mirabo-sketch=a.desktop;\n"
        "[Added Associations]\n"
        "application/x-mirabo-sketch=a.desktop;\n"
        "[Default Applications]\n"
        "application/x-mirabo-sketch=b.desktop;\n";
    EXPECT_EQ(merged(list),
              "[Default Applications]\n"
              "application/x-mirabo-sketch=mirabo.desktop;\n"
              "[Added Associations]\n"
              "application/x-mirabo-sketch=a.desktop;\n"
              "[Default Applications]\n"
              "application/x-mirabo-sketch=mirabo.desktop;\n");
}

TEST(MimeAppsListTest, UnfinishedLastLinesAndCommentsAreKept) {
    EXPECT_EQ(merged("[Default Applications]\nimage/png=eog.desktop;"),
              "[Default Applications]\nimage/png=eog.desktop;\n"
              "application/x-mirabo-sketch=mirabo.desktop;\n");
    EXPECT_EQ(merged("[Added Associations]\nimage/png=gimp.desktop;"),
              "[Added Associations]\nimage/png=gimp.desktop;\n\n"
              "[Default Applications]\napplication/x-mirabo-sketch=mirabo.desktop;\n");
    // A commented-out line is the user's note, not an entry.
    EXPECT_EQ(merged("[Default Applications]\n#application/x-mirabo-sketch=x.desktop;\n"),
              "[Default Applications]\n"
              "application/x-mirabo-sketch=mirabo.desktop;\n"
              "#application/x-mirabo-sketch=x.desktop;\n");
}

}  // namespace
}  // namespace platform
