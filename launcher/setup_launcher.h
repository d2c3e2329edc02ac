#pragma once

#include <cstddef>

#include "launcher/win32_calls.h"

namespace launcher {

// The launcher's exit codes.
enum class LauncherExit : int {
    Started = 0,       // the application manager was started
    KeyNotFound = 1,   // its registry key could not be opened
    PathNotRead = 2,   // the key's default value could not be read
    LaunchFailed = 3,  // the program could not be started
};

constexpr char kApplicationManagerKey[] =
    "software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAppMgr.exe";
constexpr char kManagerNotFoundText[] =
    "Unable to find Application Manager for PocketPC Applications";
constexpr char kLaunchFailedText[] =
    "Unable to Launch Application Manager for PocketPC Applications";
constexpr char kErrorCaption[] = "Error";

// What follows the current directory in the parameter text.
constexpr char kSetupIniSuffix[] = "\\Setup.ini\"";

constexpr std::size_t kManagerPathBufferSize = 261;
constexpr std::size_t kDirectoryBufferSize = 258;
// Room for the opening quote, the longest directory the directory buffer
// holds, the suffix and the terminator (sizeof counts the suffix's).
constexpr std::size_t kParameterBufferSize =
    1 + (kDirectoryBufferSize - 1) + sizeof(kSetupIniSuffix);

// Finds the application manager through the registry and starts it with the
// quoted path of Setup.ini in the current directory. Shows one "Error" box
// when something fails. The result is the process's exit code.
LauncherExit runSetupLauncher(Win32Calls& win32, InstanceHandle instance);

}  // namespace launcher
