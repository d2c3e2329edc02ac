#pragma once

#include <optional>
#include <string>
#include <vector>

// One command of a replay script: its name and arguments. Arguments are
// words or double-quoted strings (with \" and \\ inside), and # starts a
// comment outside quotes.
struct ScriptLine {
    std::string command;
    std::vector<std::string> arguments;
};

// Splits one line; an empty or comment-only line gives no command. Returns
// false with `error` set for an unterminated string or a bad escape.
bool parseScriptLine(const std::string& text, std::optional<ScriptLine>& line, std::string& error);

// A whole decimal or 0x-prefixed hexadecimal integer, optionally signed.
bool parseInteger(const std::string& text, long long& value);

// False with `error` set unless the line has exactly `count` arguments.
bool argumentCount(const ScriptLine& line, std::size_t count, std::string& error);
// Argument `index` as an integer from `low` to `high`; false with `error`
// set otherwise.
bool integerArgument(const ScriptLine& line, std::size_t index, long long low, long long high,
                     long long& value, std::string& error);
