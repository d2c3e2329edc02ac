#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "launcher/win32_calls.h"

namespace launcher::testing {

// What the launcher asked the shell to start, with the strings copied.
struct RecordedRequest {
    std::uint32_t size = 0;
    std::uint32_t mask = 0;
    WindowHandle owner = nullptr;
    bool hasVerb = false;
    std::string file;
    std::string parameters;
    bool hasDirectory = false;
    int show = 0;
    InstanceHandle instance = nullptr;
};

struct RecordedMessageBox {
    WindowHandle owner = nullptr;
    std::string text;
    std::string caption;
    std::uint32_t type = 0;
};

// A scripted Windows: a registry with at most the one key the launcher
// looks for, a current directory and a shell that starts or refuses. It
// behaves like the system where the launcher could go wrong: registry data
// is copied as stored, without adding a terminator, and a buffer that is too
// small is left holding junk rather than a part of the answer.
class FakeWin32 final : public Win32Calls {
  public:
    // The registry. `keyExists` false makes opening fail; `defaultValue`
    // empty means the key has no default value. The bytes are stored as
    // given: include the terminating zero to store a proper string.
    bool keyExists = true;
    std::optional<std::string> defaultValue;
    std::uint32_t defaultValueType = kRegString;
    // Variables for "%NAME%" in expanded strings; unknown ones stay as written.
    std::map<std::string, std::string> environment;
    std::string currentDirectory = "C:\\Setup";
    bool directoryFails = false;
    bool launchSucceeds = true;

    // What the launcher did.
    std::string openedSubKey;
    RegistryKey openedRoot = nullptr;
    std::uint32_t openedAccess = 0;
    int valueQueries = 0;
    bool queriedDefaultValue = false;
    std::uint32_t queryByteCount = 0;
    std::uint32_t queryType = 0;
    std::vector<std::string> debugOutput;
    std::vector<RecordedRequest> requests;
    std::vector<RecordedMessageBox> messageBoxes;

    Status regOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t options,
                         std::uint32_t access, RegistryKey* opened) override;
    Status regQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type,
                            unsigned char* data, std::uint32_t* byteCount) override;
    std::uint32_t expandEnvironmentStringsA(const char* source, char* destination,
                                            std::uint32_t capacity) override;
    std::uint32_t getCurrentDirectoryA(std::uint32_t bufferLength, char* buffer) override;
    void outputDebugStringA(const char* text) override;
    bool shellExecuteExA(ShellExecuteInfo* request) override;
    int messageBoxA(WindowHandle owner, const char* text, const char* caption,
                    std::uint32_t type) override;

  private:
    int openKeyToken_ = 0;
};

}  // namespace launcher::testing
