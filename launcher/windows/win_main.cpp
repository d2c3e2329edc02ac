#include <windows.h>

#include "launcher/setup_launcher.h"
#include "launcher/windows/windows_calls.h"

// A window-less program: the command line and show state are not used.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    launcher::WindowsCalls win32;
    return static_cast<int>(launcher::runSetupLauncher(win32, instance));
}
