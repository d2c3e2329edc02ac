#include "launcher/setup_launcher.h"

#include <cstring>

namespace launcher {
namespace {

LauncherExit fail(Win32Calls& win32, const char* text, LauncherExit code) {
    win32.messageBoxA(nullptr, text, kErrorCaption, kMessageBoxOk);
    return code;
}

// The registry copies a string value as it is stored, and a value written
// without its terminating zero arrives without one. Terminates the path
// read into `path` (of `capacity` bytes, `byteCount` of them read), or says
// it cannot be: a value that fills the whole buffer without a zero is longer
// than any path the buffer can hold.
bool terminateManagerPath(char* path, std::size_t capacity, std::size_t byteCount) {
    if (byteCount > capacity) return false;
    if (std::memchr(path, '\0', byteCount) != nullptr) return true;
    if (byteCount == capacity) return false;
    path[byteCount] = '\0';
    return true;
}

// Appends `text` at `used`, keeping the buffer terminated; false, with the
// buffer unchanged, when it does not fit.
bool append(char* buffer, std::size_t capacity, std::size_t& used, const char* text) {
    const std::size_t length = std::strlen(text);
    if (used + length + 1 > capacity) return false;
    std::memcpy(buffer + used, text, length + 1);
    used += length;
    return true;
}

}  // namespace

LauncherExit runSetupLauncher(Win32Calls& win32, InstanceHandle instance) {
    // The key stays open: the process ends moments later.
    RegistryKey key = nullptr;
    if (win32.regOpenKeyExA(localMachineKey(), kApplicationManagerKey, 0, kKeyRead, &key) !=
        kErrorSuccess)
        return fail(win32, kManagerNotFoundText, LauncherExit::KeyNotFound);

    char managerPath[kManagerPathBufferSize];
    std::uint32_t byteCount = kManagerPathBufferSize;
    std::uint32_t type = kRegString;
    if (win32.regQueryValueExA(key, nullptr, &type, reinterpret_cast<unsigned char*>(managerPath),
                               &byteCount) != kErrorSuccess ||
        !terminateManagerPath(managerPath, sizeof managerPath, byteCount))
        return fail(win32, kManagerNotFoundText, LauncherExit::PathNotRead);
    // A number or binary data in the value's place is no path to start.
    if (type != kRegString && type != kRegExpandString)
        return fail(win32, kManagerNotFoundText, LauncherExit::PathNotRead);

    // Installers may store the path with variables in it ("%ProgramFiles%\..."),
    // typed so; the shell would take them as part of the file name.
    char expandedPath[kManagerPathBufferSize];
    const char* manager = managerPath;
    if (type == kRegExpandString) {
        const std::uint32_t size =
            win32.expandEnvironmentStringsA(managerPath, expandedPath, sizeof expandedPath);
        if (size == 0 || size > sizeof expandedPath)
            return fail(win32, kManagerNotFoundText, LauncherExit::PathNotRead);
        manager = expandedPath;
    }

    // A directory the buffer cannot hold leaves nothing usable in it; the
    // launch cannot go ahead with a cut-off or stale path.
    char directory[kDirectoryBufferSize];
    const std::uint32_t directoryLength = win32.getCurrentDirectoryA(sizeof directory, directory);
    if (directoryLength == 0 || directoryLength >= sizeof directory)
        return fail(win32, kLaunchFailedText, LauncherExit::LaunchFailed);

    // The whole path is quoted so that a directory with spaces in it reaches
    // the application manager as one argument.
    char parameters[kParameterBufferSize];
    std::size_t used = 0;
    parameters[0] = '\0';
    if (!append(parameters, sizeof parameters, used, "\"") ||
        !append(parameters, sizeof parameters, used, directory) ||
        !append(parameters, sizeof parameters, used, kSetupIniSuffix))
        return fail(win32, kLaunchFailedText, LauncherExit::LaunchFailed);

    ShellExecuteInfo request{};
    request.size = sizeof request;
    // A failure is reported by the launcher's own box alone: the user is
    // not shown the shell's box first and then a second one about the same.
    request.mask = kShellExecuteNoUi;
    request.owner = nullptr;
    request.verb = nullptr;
    request.file = manager;
    request.parameters = parameters;
    request.directory = nullptr;
    request.show = kShowDefault;
    request.instance = instance;

    win32.outputDebugStringA("Launching ");
    win32.outputDebugStringA(request.file);
    win32.outputDebugStringA(" ");
    win32.outputDebugStringA(request.parameters);
    win32.outputDebugStringA("\n");

    if (!win32.shellExecuteExA(&request))
        return fail(win32, kLaunchFailedText, LauncherExit::LaunchFailed);
    return LauncherExit::Started;
}

}  // namespace launcher
