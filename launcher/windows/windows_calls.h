#pragma once

#include "launcher/win32_calls.h"

namespace launcher {

// The launcher's calls made on the running Windows system.
class WindowsCalls final : public Win32Calls {
  public:
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
};

}  // namespace launcher
