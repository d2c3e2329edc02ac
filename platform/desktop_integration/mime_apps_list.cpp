#include "platform/desktop_integration/mime_apps_list.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

constexpr std::string_view defaultGroup = "Default Applications";

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The lines of `text`, each with its own line ending (the last may have none).
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

bool isGroupHeader(std::string_view line, std::string_view& name) {
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    name = line.substr(1, line.size() - 2);
    return true;
}

// The key of a "key=value" line, and its value; false for blank lines and comments.
bool splitEntry(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view content = trimmed(line);
    if (content.empty() || content.front() == '#') return false;
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return false;
    key = trimmed(content.substr(0, equals));
    value = trimmed(content.substr(equals + 1));
    return true;
}

std::string_view lineEnding(std::string_view line) {
    if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n") return "\r\n";
    return "\n";
}

}  // namespace

std::string withDefaultApplication(std::string_view list, std::string_view mimeType,
                                   std::string_view desktopId) {
    const std::vector<std::string_view> lines = linesOf(list);
    const std::string entry = std::string(mimeType) + "=" + std::string(desktopId) + ";";
    const auto namesUsFirst = [&](std::string_view value) {
        return value == desktopId ||
               (value.size() > desktopId.size() && value.substr(0, desktopId.size()) == desktopId &&
                value[desktopId.size()] == ';');
    };

    // Our lines, in any [Default Applications] group (a file may hold the
    // group twice, and every copy must agree), and where a new line would go:
    // after the last entry of the first such group.
    std::vector<bool> ours(lines.size(), false);
    bool haveOurs = false;
    std::size_t insertAfter = lines.size();
    bool inDefaults = false, inFirstDefaults = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name, key, value;
        if (isGroupHeader(lines[i], name)) {
            inDefaults = name == defaultGroup;
            inFirstDefaults = inDefaults && insertAfter == lines.size();
            if (inFirstDefaults) insertAfter = i;
        } else if (inDefaults && splitEntry(lines[i], key, value)) {
            if (inFirstDefaults) insertAfter = i;
            if (key == mimeType) {
                haveOurs = true;
                ours[i] = !namesUsFirst(value);
            }
        }
    }

    std::string out;
    out.reserve(list.size() + entry.size() + 32);
    if (haveOurs) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            out += ours[i] ? entry + std::string(lineEnding(lines[i])) : std::string(lines[i]);
        return out;
    }
    if (insertAfter < lines.size()) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            out += lines[i];
            if (i != insertAfter) continue;
            if (lines[i].back() != '\n') out += '\n';  // it was the file's unfinished last line
            out += entry + std::string(lineEnding(lines[i]));
        }
        return out;
    }
    out = std::string(list);
    if (!out.empty() && out.back() != '\n') out += '\n';
    if (!out.empty() && !trimmed(lines.back()).empty()) out += '\n';
    out += "[" + std::string(defaultGroup) + "]\n" + entry + "\n";
    return out;
}

}  // namespace platform
