#include "app/startup/command_line.h"

#include <gtest/gtest.h>

#include "app/startup/file_association.h"

namespace {

TEST(CommandLineTest, TheFileVerbOpensThePathAfterTheFirstColon) {
    const CommandLineRequest plain = interpretCommandLine(u"file:\\My Documents\\a.zsf");
    EXPECT_TRUE(plain.openFile);
    EXPECT_EQ(plain.path, u"\\My Documents\\a.zsf");
    // The verb in any letter case.
    for (const char16_t* line : {u"FILE:/tmp/a.zsf", u"File:/tmp/a.zsf", u"fIlE:/tmp/a.zsf"}) {
        const CommandLineRequest request = interpretCommandLine(line);
        EXPECT_TRUE(request.openFile);
        EXPECT_EQ(request.path, u"/tmp/a.zsf");
    }
    // Only the first colon splits.
    EXPECT_EQ(interpretCommandLine(u"file:C:\\x:y.zsf").path, u"C:\\x:y.zsf");
}

TEST(CommandLineTest, FileAloneAsksForTheOpenDialog) {
    for (const char16_t* line : {u"file", u"file:"}) {
        const CommandLineRequest request = interpretCommandLine(line);
        EXPECT_TRUE(request.openFile);
        EXPECT_TRUE(request.path.empty());
    }
}

TEST(CommandLineTest, AnythingElseIsIgnored) {
    for (const char16_t* line :
         {u"", u"/tmp/a.zsf", u"open:/tmp/a.zsf", u"files:/a", u" file:/a", u"fil:/a", u":file"})
        EXPECT_FALSE(interpretCommandLine(line).openFile) << std::u16string(line).size();
}

TEST(FileAssociationTest, TheOpenCommandPassesTheFileVerb) {
    const auto entries = fileAssociation();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].key, sketchExtension);
    EXPECT_EQ(entries[0].value, sketchDocumentType);
    EXPECT_EQ(entries[1].value, u"Mirabo.exe file:%1");
    EXPECT_EQ(entries[2].value, u"Mirabo.exe,-169");
    // What the desktop passes for a document comes back as that document.
    EXPECT_EQ(interpretCommandLine(u"file:/home/a b.zsf").path, u"/home/a b.zsf");
}

}  // namespace
