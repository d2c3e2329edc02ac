// A stand-in for the application manager in the launcher's tests under Wine.
// It writes what it was started with to "command-line.txt" beside itself:
// the number of arguments, each argument on a line of its own as the C
// runtime split them, then the whole command line. The file appears under
// its final name only when complete, so a test can wait for it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool directoryOfThisProgram(char* buffer, DWORD capacity) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer, capacity);
    if (length == 0 || length >= capacity) return false;
    char* lastSeparator = std::strrchr(buffer, '\\');
    if (lastSeparator == nullptr) return false;
    lastSeparator[1] = '\0';
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char directory[MAX_PATH];
    if (!directoryOfThisProgram(directory, sizeof directory)) return 1;
    char partial[MAX_PATH + 32];
    char complete[MAX_PATH + 32];
    std::snprintf(partial, sizeof partial, "%scommand-line.partial", directory);
    std::snprintf(complete, sizeof complete, "%scommand-line.txt", directory);

    std::FILE* file = std::fopen(partial, "wb");
    if (file == nullptr) return 1;
    std::fprintf(file, "%d\n", __argc - 1);
    for (int i = 1; i < __argc; ++i)
        std::fprintf(file, "%s\n", __argv[i]);
    std::fprintf(file, "%s\n", GetCommandLineA());
    const bool written = std::fclose(file) == 0;
    if (!written || !MoveFileExA(partial, complete, MOVEFILE_REPLACE_EXISTING)) return 1;
    return 0;
}
