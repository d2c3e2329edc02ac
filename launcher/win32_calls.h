#pragma once

#include <cstdint>

namespace launcher {

// The handful of Win32 types and values the launcher uses, spelled out here so
// that its steps also build (and are tested) on a machine without the Windows
// headers. The Windows build checks every one of them against the real
// headers (windows/windows_calls.cpp).
using Handle = void*;
using RegistryKey = Handle;     // HKEY
using WindowHandle = Handle;    // HWND
using InstanceHandle = Handle;  // HINSTANCE
using Status = std::int32_t;    // LSTATUS

constexpr Status kErrorSuccess = 0;
constexpr Status kErrorFileNotFound = 2;
constexpr Status kErrorMoreData = 234;
constexpr std::uint32_t kKeyRead = 0x20019;    // KEY_READ
constexpr std::uint32_t kRegString = 1;        // REG_SZ
constexpr std::uint32_t kRegExpandString = 2;  // REG_EXPAND_SZ
// SEE_MASK_FLAG_NO_UI: the shell reports a failure to its caller only,
// without a message box of its own.
constexpr std::uint32_t kShellExecuteNoUi = 0x400;
constexpr std::uint32_t kMessageBoxOk = 0;  // MB_OK
constexpr int kShowDefault = 10;            // SW_SHOWDEFAULT
constexpr std::int32_t kLocalMachineId = static_cast<std::int32_t>(0x80000002u);

// HKEY_LOCAL_MACHINE: a predefined handle whose value is the sign-extended id.
inline RegistryKey localMachineKey() {
    return reinterpret_cast<RegistryKey>(static_cast<std::intptr_t>(kLocalMachineId));
}

// The shell-execute request record with the layout of SHELLEXECUTEINFOA, so
// that `size` is the platform's own size of the record (112 bytes on 64-bit
// Windows, 60 on 32-bit).
struct ShellExecuteInfo {
    std::uint32_t size;
    std::uint32_t mask;
    WindowHandle owner;
    const char* verb;
    const char* file;
    const char* parameters;
    const char* directory;
    int show;
    InstanceHandle instance;
    void* itemIdList;
    const char* className;
    RegistryKey classKey;
    std::uint32_t hotKey;
    Handle iconOrMonitor;
    Handle process;
};

// The ANSI calls the launcher makes, one method per Win32 function with the
// same arguments (reserved ones left out) and the same results. Windows
// forwards them to the system; tests answer them from a scripted stand-in.
class Win32Calls {
  public:
    virtual ~Win32Calls() = default;

    // RegOpenKeyExA.
    virtual Status regOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t options,
                                 std::uint32_t access, RegistryKey* opened) = 0;
    // RegQueryValueExA. A null name reads the key's default value. The data
    // is not necessarily terminated: the system copies what is stored.
    virtual Status regQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type,
                                    unsigned char* data, std::uint32_t* byteCount) = 0;
    // ExpandEnvironmentStringsA: the size of the result (with its
    // terminator), larger than `capacity` when it does not fit; 0 on failure.
    virtual std::uint32_t expandEnvironmentStringsA(const char* source, char* destination,
                                                    std::uint32_t capacity) = 0;
    // GetCurrentDirectoryA: the length copied (without the terminator), the
    // size needed (with it) when the buffer is too small, 0 on failure.
    virtual std::uint32_t getCurrentDirectoryA(std::uint32_t bufferLength, char* buffer) = 0;
    // OutputDebugStringA.
    virtual void outputDebugStringA(const char* text) = 0;
    // ShellExecuteExA.
    virtual bool shellExecuteExA(ShellExecuteInfo* request) = 0;
    // MessageBoxA.
    virtual int messageBoxA(WindowHandle owner, const char* text, const char* caption,
                            std::uint32_t type) = 0;
};

}  // namespace launcher
