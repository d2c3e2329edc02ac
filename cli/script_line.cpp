#include "cli/script_line.h"

#include <cerrno>
#include <cstdlib>

bool parseScriptLine(const std::string& text, std::optional<ScriptLine>& line, std::string& error) {
    line.reset();
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::string word;
            ++i;
            bool closed = false;
            while (i < n) {
                const char d = text[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\') {
                    if (i >= n || (text[i] != '"' && text[i] != '\\')) {
                        error = "only \\\" and \\\\ may follow a backslash in a string";
                        return false;
                    }
                    word += text[i++];
                } else {
                    word += d;
                }
            }
            if (!closed) {
                error = "the string is not closed";
                return false;
            }
            words.push_back(std::move(word));
        } else {
            std::string word;
            while (i < n && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
                   text[i] != '\n' && text[i] != '#')
                word += text[i++];
            words.push_back(std::move(word));
        }
    }
    if (words.empty()) return true;
    line = ScriptLine{std::move(words.front()), {words.begin() + 1, words.end()}};
    return true;
}

bool parseInteger(const std::string& text, long long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && end == text.c_str() + text.size();
}

bool argumentCount(const ScriptLine& line, std::size_t count, std::string& error) {
    if (line.arguments.size() == count) return true;
    error =
        line.command + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s");
    return false;
}

bool integerArgument(const ScriptLine& line, std::size_t index, long long low, long long high,
                     long long& value, std::string& error) {
    if (!parseInteger(line.arguments[index], value) || value < low || value > high) {
        error = line.command + ": \"" + line.arguments[index] + "\" is not a number from " +
                std::to_string(low) + " to " + std::to_string(high);
        return false;
    }
    return true;
}
