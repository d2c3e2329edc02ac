#include "cli/script_line.h"

#include <gtest/gtest.h>

namespace {

ScriptLine parsed(const std::string& text) {
    std::optional<ScriptLine> line;
    std::string error;
    EXPECT_TRUE(parseScriptLine(text, line, error)) << error;
    EXPECT_TRUE(line.has_value()) << text;
    return line.value_or(ScriptLine{});
}

TEST(ScriptLineTest, SplitsWordsAndStrings) {
    const ScriptLine line = parsed("  font \"DejaVu Sans\"  ");
    EXPECT_EQ(line.command, "font");
    ASSERT_EQ(line.arguments.size(), 1u);
    EXPECT_EQ(line.arguments[0], "DejaVu Sans");
    const ScriptLine move = parsed("move -3\t17");
    EXPECT_EQ(move.arguments, (std::vector<std::string>{"-3", "17"}));
}

TEST(ScriptLineTest, StringsKeepEscapedQuotesAndBackslashes) {
    const ScriptLine line = parsed(R"(type "say \"hi\" \\ # not a comment")");
    ASSERT_EQ(line.arguments.size(), 1u);
    EXPECT_EQ(line.arguments[0], R"(say "hi" \ # not a comment)");
    EXPECT_EQ(parsed(R"(choose "")").arguments[0], "");
}

TEST(ScriptLineTest, CommentsAndBlankLinesAreNoCommands) {
    for (const char* text : {"", "   ", "# just a comment", "\t# indented comment", "\r"}) {
        std::optional<ScriptLine> line;
        std::string error;
        EXPECT_TRUE(parseScriptLine(text, line, error));
        EXPECT_FALSE(line.has_value()) << text;
    }
    EXPECT_EQ(parsed("down 1 2 # the first tap").arguments.size(), 2u);
    EXPECT_EQ(parsed("up 1 2#tight").arguments.back(), "2");
}

TEST(ScriptLineTest, BadStringsAreReported) {
    std::optional<ScriptLine> line;
    std::string error;
    EXPECT_FALSE(parseScriptLine("type \"open", line, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(parseScriptLine(R"(type "a\nb")", line, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(parseScriptLine(R"(type "ends with \)", line, error));
}

TEST(ScriptLineTest, IntegersAreDecimalOrHexadecimalAndWhole) {
    long long value = 0;
    EXPECT_TRUE(parseInteger("42", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(parseInteger("-7", value));
    EXPECT_EQ(value, -7);
    EXPECT_TRUE(parseInteger("0x00FF80", value));
    EXPECT_EQ(value, 0xFF80);
    EXPECT_FALSE(parseInteger("", value));
    EXPECT_FALSE(parseInteger("12px", value));
    EXPECT_FALSE(parseInteger("99999999999999999999", value));
}

}  // namespace
