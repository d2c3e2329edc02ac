#include "platform/desktop_integration/desktop_files.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/desktop_integration/testing/run_command.h"
#include "platform/files/testing/temp_folder.h"

namespace platform {
namespace {

using testing::runCommand;

TEST(DesktopFilesTest, ExecArgumentsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(execArgument("/usr/bin/mirabo"), "/usr/bin/mirabo");
    EXPECT_EQ(execArgument("/opt/My Apps/mirabo"), "\"/opt/My Apps/mirabo\"");
    // Backslash-escaped inside the quotes, then every backslash doubled for
    // the string value.
    EXPECT_EQ(execArgument("/a\"b$c`d\\e"), "\"/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e\"");
    EXPECT_EQ(execArgument("/100%/mirabo"), "/100%%/mirabo");
    EXPECT_EQ(execArgument("/x/(m)"), "\"/x/(m)\"");
    EXPECT_EQ(execArgument("/x/caf\xC3\xA9"), "/x/caf\xC3\xA9");
    EXPECT_EQ(execArgument("/x/a\nb"), "");
    EXPECT_EQ(execArgument("/x/a\tb"), "");
}

TEST(DesktopFilesTest, TheEntryStartsTheProgramWithTheDocument) {
    const std::string entry = desktopEntryText("/opt/mirabo/bin/mirabo");
    EXPECT_NE(entry.find("\nName=Mirabo\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=/opt/mirabo/bin/mirabo file:%f\n"), std::string::npos);
    EXPECT_NE(
        entry.find("\nMimeType=application/x-mirabo-sketch;image/png;image/bmp;image/jpeg;\n"),
        std::string::npos);
    EXPECT_NE(entry.find("\nIcon=mirabo\n"), std::string::npos);
    EXPECT_NE(entry.find("\nCategories=Graphics;2DGraphics;RasterGraphics;\n"), std::string::npos);
    EXPECT_EQ(desktopEntryText(""), "");
    EXPECT_EQ(desktopEntryText("/bad\npath"), "");
}

TEST(DesktopFilesTest, TheValidatorAcceptsEntriesForAwkwardPaths) {
    if (!testing::haveProgram("desktop-file-validate")) GTEST_SKIP() << "no desktop-file-validate";
    testing::TempFolder temp;
    ASSERT_TRUE(temp.ok());
    for (const char* program : {"mirabo", "/usr/bin/mirabo", "/home/a b/my \"best\" $apps/mirabo",
                                "/opt/100%/caf\xC3\xA9/mirabo"}) {
        testing::put(temp / "mirabo.desktop", desktopEntryText(program));
        std::string output;
        EXPECT_EQ(runCommand("desktop-file-validate " + temp / "mirabo.desktop", output), 0)
            << program << ": " << output;
        EXPECT_EQ(output, "") << program;
    }
}

TEST(DesktopFilesTest, TheMimePackageDeclaresSketchDocuments) {
    const std::string package = mimePackageText();
    EXPECT_NE(package.find("<mime-type type=\"application/x-mirabo-sketch\">"), std::string::npos);
    EXPECT_NE(package.find("<comment>Mirabo sketch</comment>"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.zsf\"/>"), std::string::npos);
    EXPECT_NE(package.find("<icon name=\"application-x-mirabo-sketch\"/>"), std::string::npos);
}

}  // namespace
}  // namespace platform
