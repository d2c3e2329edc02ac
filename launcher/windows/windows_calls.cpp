#include "launcher/windows/windows_calls.h"

// windows.h comes first: shellapi.h relies on its types.
#include <windows.h>

#include <shellapi.h>

#include <cstddef>

namespace launcher {

// The portable spellings must be the system's own.
static_assert(sizeof(Status) == sizeof(LSTATUS));
static_assert(kErrorSuccess == ERROR_SUCCESS);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorMoreData == ERROR_MORE_DATA);
static_assert(kKeyRead == KEY_READ);
static_assert(kRegString == REG_SZ);
static_assert(kRegExpandString == REG_EXPAND_SZ);
static_assert(kShellExecuteNoUi == SEE_MASK_FLAG_NO_UI);
static_assert(kMessageBoxOk == MB_OK);
static_assert(kShowDefault == SW_SHOWDEFAULT);
static_assert(sizeof(std::uint32_t) == sizeof(DWORD));

// The request is handed over field by field, but its size field must still
// be the size of the system's record.
static_assert(sizeof(ShellExecuteInfo) == sizeof(SHELLEXECUTEINFOA));
static_assert(offsetof(ShellExecuteInfo, file) == offsetof(SHELLEXECUTEINFOA, lpFile));
static_assert(offsetof(ShellExecuteInfo, show) == offsetof(SHELLEXECUTEINFOA, nShow));
static_assert(offsetof(ShellExecuteInfo, instance) == offsetof(SHELLEXECUTEINFOA, hInstApp));
static_assert(offsetof(ShellExecuteInfo, process) == offsetof(SHELLEXECUTEINFOA, hProcess));

Status WindowsCalls::regOpenKeyExA(RegistryKey root, const char* subKey, std::uint32_t options,
                                   std::uint32_t access, RegistryKey* opened) {
    HKEY key = nullptr;
    const LSTATUS status = ::RegOpenKeyExA(static_cast<HKEY>(root), subKey, options, access, &key);
    *opened = key;
    return status;
}

Status WindowsCalls::regQueryValueExA(RegistryKey key, const char* valueName, std::uint32_t* type,
                                      unsigned char* data, std::uint32_t* byteCount) {
    DWORD systemType = *type;
    DWORD systemCount = *byteCount;
    const LSTATUS status = ::RegQueryValueExA(static_cast<HKEY>(key), valueName, nullptr,
                                              &systemType, data, &systemCount);
    *type = systemType;
    *byteCount = systemCount;
    return status;
}

std::uint32_t WindowsCalls::expandEnvironmentStringsA(const char* source, char* destination,
                                                      std::uint32_t capacity) {
    return ::ExpandEnvironmentStringsA(source, destination, capacity);
}

std::uint32_t WindowsCalls::getCurrentDirectoryA(std::uint32_t bufferLength, char* buffer) {
    return ::GetCurrentDirectoryA(bufferLength, buffer);
}

void WindowsCalls::outputDebugStringA(const char* text) {
    ::OutputDebugStringA(text);
}

bool WindowsCalls::shellExecuteExA(ShellExecuteInfo* request) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = request->size;
    info.fMask = request->mask;
    info.hwnd = static_cast<HWND>(request->owner);
    info.lpVerb = request->verb;
    info.lpFile = request->file;
    info.lpParameters = request->parameters;
    info.lpDirectory = request->directory;
    info.nShow = request->show;
    info.hInstApp = static_cast<HINSTANCE>(request->instance);
    info.lpIDList = request->itemIdList;
    info.lpClass = request->className;
    info.hkeyClass = static_cast<HKEY>(request->classKey);
    info.dwHotKey = request->hotKey;
    info.hIcon = static_cast<HANDLE>(request->iconOrMonitor);
    const bool started = ::ShellExecuteExA(&info) != FALSE;
    request->instance = info.hInstApp;
    request->process = info.hProcess;
    return started;
}

int WindowsCalls::messageBoxA(WindowHandle owner, const char* text, const char* caption,
                              std::uint32_t type) {
    return ::MessageBoxA(static_cast<HWND>(owner), text, caption, type);
}

}  // namespace launcher
