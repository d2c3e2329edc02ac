#include "launcher/testing/fake_win32.h"

#include <cstring>

namespace launcher::testing {

Status FakeWin32::regOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t,
                                std::uint32_t access, RegistryKey* opened) {
    openedRoot = root;
    openedSubKey = subKey;
    openedAccess = access;
    if (!keyExists) return kErrorFileNotFound;
    *opened = &openKeyToken_;
    return kErrorSuccess;
}

Status FakeWin32::regQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type,
                                   unsigned char* data, std::uint32_t* byteCount) {
    ++valueQueries;
    queriedDefaultValue = key == &openKeyToken_ && (valueName == nullptr || *valueName == '\0');
    queryByteCount = *byteCount;
    queryType = *type;
    if (!queriedDefaultValue || !defaultValue) return kErrorFileNotFound;
    const std::uint32_t stored = static_cast<std::uint32_t>(defaultValue->size());
    const std::uint32_t capacity = *byteCount;
    *byteCount = stored;
    *type = defaultValueType;
    if (stored > capacity) return kErrorMoreData;
    // Whatever the caller's buffer held beyond the data stays: junk here.
    std::memset(data, 'J', capacity);
    std::memcpy(data, defaultValue->data(), stored);
    return kErrorSuccess;
}

std::uint32_t FakeWin32::expandEnvironmentStringsA(const char* source, char* destination,
                                                   std::uint32_t capacity) {
    std::string result;
    const std::string text = source;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            result += text.substr(at);
            break;
        }
        const auto found = environment.find(text.substr(open + 1, close - open - 1));
        result += text.substr(at, open - at);
        if (found != environment.end()) {
            result += found->second;
            at = close + 1;
        } else {
            // Not a variable: the percent sign stays and may start another.
            result += '%';
            at = open + 1;
        }
    }
    const std::uint32_t needed = static_cast<std::uint32_t>(result.size()) + 1;
    if (needed > capacity) {
        std::memset(destination, 'J', capacity);
        return needed;
    }
    std::memcpy(destination, result.c_str(), needed);
    return needed;
}

std::uint32_t FakeWin32::getCurrentDirectoryA(std::uint32_t bufferLength, char* buffer) {
    if (directoryFails) return 0;
    const std::uint32_t needed = static_cast<std::uint32_t>(currentDirectory.size()) + 1;
    if (needed > bufferLength) {
        std::memset(buffer, 'J', bufferLength);
        return needed;
    }
    std::memcpy(buffer, currentDirectory.c_str(), needed);
    return needed - 1;
}

void FakeWin32::outputDebugStringA(const char* text) {
    debugOutput.emplace_back(text);
}

bool FakeWin32::shellExecuteExA(ShellExecuteInfo* request) {
    RecordedRequest recorded;
    recorded.size = request->size;
    recorded.mask = request->mask;
    recorded.owner = request->owner;
    recorded.hasVerb = request->verb != nullptr;
    recorded.file = request->file != nullptr ? request->file : "";
    recorded.parameters = request->parameters != nullptr ? request->parameters : "";
    recorded.hasDirectory = request->directory != nullptr;
    recorded.show = request->show;
    recorded.instance = request->instance;
    requests.push_back(recorded);
    return launchSucceeds;
}

int FakeWin32::messageBoxA(WindowHandle owner, const char* text, const char* caption,
                           std::uint32_t type) {
    messageBoxes.push_back({owner, text, caption, type});
    return 1;  // IDOK
}

}  // namespace launcher::testing
